#include "ftp.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace zarnet::services {
namespace {

QString Find(const char* name) {
  QString p = QStandardPaths::findExecutable(name);
  if (p.isEmpty()) p = QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"});
  return p;
}

// Only the daemon gets the parent-death signal; the processes it forked for
// logged-in clients outlive a crash of ours and would go on serving them. The
// daemon's group is recorded so the next start can end them.
void EndLeftovers(const QString& groupFile) {
  std::ifstream in(groupFile.toStdString());
  pid_t group = 0;
  if (!(in >> group)) return;
  in.close();
  QFile::remove(groupFile);
  if (group <= 1) return;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool number = false;
    const pid_t pid = entry.toInt(&number);
    if (!number) continue;
    std::ifstream statFile("/proc/" + entry.toStdString() + "/stat");
    std::string stat;
    std::getline(statFile, stat);
    // "pid (name) state ppid pgrp ..."; the name may hold blanks.
    const size_t open = stat.find('('), close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) continue;
    std::istringstream rest(stat.substr(close + 1));
    std::string state;
    pid_t ppid = 0, pgrp = 0;
    if (stat.substr(open + 1, close - open - 1) == "pure-ftpd" && rest >> state >> ppid >> pgrp && pgrp == group)
      kill(pid, SIGKILL);
  }
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
  groupFile_ = dir + "/daemon.group";
  EndLeftovers(groupFile_);
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
  const pid_t parent = getpid();
  process_->setChildProcessModifier([parent] {
    // Its own group: a stop reaches the processes serving logged-in clients
    // too, and a Ctrl-C at our terminal is ours to pass on.
    setpgid(0, 0);
    // It dies with us even when we are killed and cannot stop it, so a
    // restart finds the port free.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);  // we died before the line above
  });
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
                           "-g", dir + "/pure-ftpd.pid",
                           "-O", "clf:" + QString::fromStdString(LogPath(dataDir))});
  // It exits at once when it cannot listen.
  if (!process_->waitForStarted(5000) || process_->waitForFinished(300)) {
    *error = "pure-ftpd did not start";
    process_.reset();
    return false;
  }
  QFile group(groupFile_);
  if (group.open(QIODevice::WriteOnly | QIODevice::Truncate))
    group.write(QByteArray::number(process_->processId()) + "\n");
  return true;
}

void FtpServer::Stop() {
  if (!process_) return;
  const pid_t group = pid_t(process_->processId());
  if (group > 0) kill(-group, SIGTERM);
  if (!process_->waitForFinished(3000) && group > 0) kill(-group, SIGKILL);
  process_->waitForFinished(1000);
  process_.reset();
  QFile::remove(groupFile_);
}

}  // namespace zarnet::services
