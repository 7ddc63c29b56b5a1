#include "ftp.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace zarnet::services {
namespace {

QString Find(const char* name) {
  QString p = QStandardPaths::findExecutable(name);
  if (p.isEmpty()) p = QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"});
  return p;
}

}  // namespace

std::string FtpServer::LogPath(const std::string& dataDir) {
  return QDir(QString::fromStdString(dataDir + "/ftp")).absolutePath().toStdString() + "/transfer.log";
}

bool FtpServer::Start(const std::string& address, int port, const std::string& dataDir,
                      const std::string& inbox, std::string* error) {
  const QString daemon = Find("pure-ftpd"), pw = Find("pure-pw");
  if (daemon.isEmpty() || pw.isEmpty()) {
    *error = "pure-ftpd is not installed";
    return false;
  }
  const QString dir = QDir(QString::fromStdString(dataDir + "/ftp")).absolutePath();
  QDir().mkpath(dir);
  const QString passwd = dir + "/pureftpd.passwd", pdb = dir + "/pureftpd.pdb";
  QFile::remove(passwd);
  QFile::remove(pdb);

  // The account runs as us; as root it runs as nobody, who then owns the folder.
  uid_t uid = getuid();
  gid_t gid = getgid();
  if (uid == 0) {
    uid = 65534;
    gid = 65534;
    [[maybe_unused]] int rc = chown(inbox.c_str(), uid, gid);
  }
  QProcess add;
  add.start(pw, {"useradd", kFtpUser, "-u", QString::number(uid), "-g", QString::number(gid), "-d",
                 QString::fromStdString(inbox), "-f", passwd, "-m", "-F", pdb, "-n", QString::number(kInboxFiles),
                 "-N", QString::number(kInboxMegabytes)});
  add.write(QByteArray(kFtpPassword) + "\n" + kFtpPassword + "\n");
  add.closeWriteChannel();
  if (!add.waitForFinished(10000) || add.exitCode() != 0) {
    *error = "pure-pw failed: " + add.readAllStandardError().toStdString();
    return false;
  }

  process_ = std::make_unique<QProcess>();
  process_->setProcessChannelMode(QProcess::ForwardedChannels);
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->start(daemon, {"-S", QString::fromStdString(address) + "," + QString::number(port),
                           "-l", "puredb:" + pdb,
                           "-E",                // no anonymous logins
                           "-A",                // every account stays in its folder
                           "-H",                // no name lookups
                           "-u", "1",           // the account may run as a system user
                           "-p", "40100:40199", // passive ports
                           "-P", QString::fromStdString(address),
                           "-c", "20",          // clients at once
                           "-C", "4",           // per address
                           "-O", "clf:" + QString::fromStdString(LogPath(dataDir))});
  // It exits at once when it cannot listen.
  if (!process_->waitForStarted(5000) || process_->waitForFinished(300)) {
    *error = "pure-ftpd did not start";
    process_.reset();
    return false;
  }
  return true;
}

void FtpServer::Stop() {
  if (!process_) return;
  process_->terminate();
  if (!process_->waitForFinished(3000)) process_->kill();
  process_->waitForFinished(1000);
  process_.reset();
}

}  // namespace zarnet::services
