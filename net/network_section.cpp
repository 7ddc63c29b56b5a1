#include "network_section.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "form_password.h"
#include "kuv_button.h"
#include "peer_connection.h"
#include "peer_game.h"
#include "settings.h"

namespace zarnet {

namespace {

// Interface addresses take at most four boxes, so the external address and
// loopback always find one.
constexpr int kInterfaceBoxes = 4;

}  // namespace

std::vector<QString> InterfaceAddresses() {
  std::vector<QString> out;
  for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
    if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback()) continue;
    out.push_back(a.toString());
  }
  return out;
}

TNetworkSection::TNetworkSection(std::string& lastAddress, std::string& lastPort, const FormStyle& style,
                                 QWidget* parent)
    : QWidget(parent), lastAddress_(lastAddress), lastPort_(lastPort) {
  setObjectName("NetworkSection");
  const QFont font = style.Font(14);
  auto* roles = new QGroupBox(WordText(WordId::ServerClient), this);
  roles->setObjectName("RadioGroup1");
  roles->setFont(font);
  RadioServer = new QRadioButton(WordText(WordId::ServerCreateTheGame), roles);
  RadioClient = new QRadioButton(WordText(WordId::ClientEntersToGame), roles);
  RadioServer->setObjectName("RadioServer");
  RadioClient->setObjectName("RadioClient");
  auto* roleRow = new QVBoxLayout(roles);
  roleRow->addWidget(RadioServer);
  roleRow->addWidget(RadioClient);

  auto edit = [&](const char* name, int maxLength, int width) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setFont(font);
    e->setMaxLength(maxLength);
    e->setFixedWidth(style.Len(width));
    return e;
  };
  EditAddress = edit("EditAddress", 20, 160);
  EditPort = edit("EditPort", 5, 70);
  EditPort->setText(QString::fromStdString(lastPort_));
  EditGames = edit("EditGames", 3, 40);
  EditGames->setText("2");
  EditGames->setEnabled(false);
  LabelAddress = MakeLabel("LabelAddress", WordText(WordId::EnterIpOfServer), font, this);

  auto* grid = new QGridLayout;
  grid->addWidget(LabelAddress, 0, 0);
  grid->addWidget(EditAddress, 0, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel("LabelPort", WordText(WordId::EnterPortOfServer), font, this), 1, 0);
  grid->addWidget(EditPort, 1, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel("LabelGames", WordText(WordId::NumberGames), font, this), 2, 0);
  grid->addWidget(EditGames, 2, 1, Qt::AlignLeft);

  ButtonAddresses = MakeButton("ButtonAddresses", WordText(WordId::ToReceiveTheIpAddresses), 220, style, this);
  ButtonHelp = MakeButton("ButtonHelp", "?", 30, style, this);
  ButtonHelp->setEnabled(false);
  auto* boxes = new QGridLayout;
  for (int k = 1; k <= 6; ++k) {
    AddressBox[k] = edit(qPrintable(QString("EditIP%1").arg(k)), 40, 120);
    AddressBox[k]->setReadOnly(true);
    AddressBox[k]->hide();
    boxes->addWidget(AddressBox[k], (k - 1) / 3, (k - 1) % 3);
  }
  auto* addressRow = new QHBoxLayout;
  addressRow->addWidget(ButtonAddresses);
  addressRow->addWidget(ButtonHelp);
  addressRow->addStretch();

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(0, 0, 0, 0);
  all->addWidget(roles);
  all->addLayout(grid);
  all->addLayout(addressRow);
  all->addLayout(boxes);

  connect(RadioServer, &QRadioButton::toggled, this, [this](bool on) { if (on) ChooseRole(1); });
  connect(RadioClient, &QRadioButton::toggled, this, [this](bool on) { if (on) ChooseRole(2); });
  connect(EditAddress, &QLineEdit::textEdited, this, &TNetworkSection::AddressEdited);
  connect(EditPort, &QLineEdit::textEdited, this, &TNetworkSection::PortEdited);
  connect(ButtonAddresses, &QAbstractButton::clicked, this, &TNetworkSection::ReceiveAddresses);
  connect(ButtonHelp, &QAbstractButton::clicked, this, [this] {
    if (!helpPage_.isEmpty()) QDesktopServices::openUrl(QUrl(helpPage_));
  });
  RadioServer->setChecked(true);
  ChooseRole(1);
}

void TNetworkSection::ChooseRole(uint8_t role) {
  role_ = role == 2 ? 2 : 1;
  const bool guest = role_ == 2;
  if (RadioClient->isChecked() != guest) (guest ? RadioClient : RadioServer)->setChecked(true);
  LabelAddress->setEnabled(guest);
  EditAddress->setEnabled(guest);
  EditAddress->setText(guest ? QString::fromStdString(lastAddress_) : QString());
}

void TNetworkSection::AddressEdited(const QString& text) {
  const QString kept = FilterAddressEdit(text, QString::fromStdString(lastAddress_));
  if (kept != text) EditAddress->setText(kept);
  if (role_ == 2 && !kept.isEmpty()) lastAddress_ = kept.toStdString();
}

void TNetworkSection::PortEdited(const QString& text) {
  const QString kept = FilterPortEdit(text, QString::fromStdString(lastPort_));
  if (kept != text) EditPort->setText(kept);
  lastPort_ = kept.toStdString();
}

QString TNetworkSection::Check(QWidget** focus) const {
  if (role_ == 2 && !ValidGuestAddress(EditAddress->text())) {
    if (focus) *focus = EditAddress;
    return WordText(WordId::IncorrectIpAddress);
  }
  // The field takes digits only; a number beyond the port range is no port either.
  bool ok = false;
  const uint port = EditPort->text().toUInt(&ok);
  if (!ok || port == 0 || port > 65535) {
    if (focus) *focus = EditPort;
    return WordText(WordId::IncorrectPort);
  }
  return {};
}

QString TNetworkSection::Address() const { return EditAddress->text(); }

quint16 TNetworkSection::Port() const { return static_cast<quint16>(EditPort->text().toUInt()); }

void TNetworkSection::ReceiveAddresses() {
  std::vector<std::pair<QString, QString>> shown;  // text, hint
  const std::vector<QString> own = InterfaceAddresses();
  for (size_t i = 0; i < own.size() && i < 6 && static_cast<int>(shown.size()) < kInterfaceBoxes; ++i)
    if (!own[i].isEmpty()) shown.push_back({own[i], QString()});
  QString external;
  if (ExternalAddress) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    external = ExternalAddress();
    QApplication::restoreOverrideCursor();
  }
  if (!external.isEmpty()) shown.push_back({external, ExternalHint});
  shown.push_back({"127.0.0.1", WordText(WordId::Loop)});
  for (int k = 1; k <= 6; ++k) {
    const bool used = k <= static_cast<int>(shown.size());
    AddressBox[k]->setText(used ? shown[k - 1].first : QString());
    AddressBox[k]->setToolTip(used ? shown[k - 1].second : QString());
    AddressBox[k]->setVisible(used);
  }
}

void TNetworkSection::SetHelpPage(const QString& url) {
  helpPage_ = url;
  ButtonHelp->setEnabled(!url.isEmpty());
}

TNetworkSection* AttachNetworkSection(TFormPassword& dialog, TPeerGame& peer, Settings& settings,
                                      const FormStyle& style) {
  QGroupBox* box = dialog.NetworkBox();
  auto* section = new TNetworkSection(settings.LastServerAddress, settings.LastServerPort, style, box);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(section);
  box->show();
  // Names travel in nine characters at most in a net game.
  if (auto* name = dialog.findChild<QLineEdit*>("Edit1")) {
    if (dialog.Slot() == kSlotNewPlayer && name->text().size() > 9) name->setText(WordText(WordId::MrX));
    name->setMaxLength(9);
  }
  for (QLineEdit* e : {section->EditAddress, section->EditPort})
    QObject::connect(e, &QLineEdit::textEdited, &dialog, [&dialog] { dialog.ShowMessageLine({}); });
  dialog.AfterAdmission = [&dialog, section, &peer] {
    QWidget* focus = nullptr;
    const QString problem = section->Check(&focus);
    if (!problem.isEmpty()) {
      dialog.ShowMessageLine(problem);
      if (focus) focus->setFocus();
      return false;
    }
    if (section->NetRole() == 2) section->RememberAddress();
    QString error;
    const std::string name = dialog.Admitted().Name;
    const bool start = peer.StartLink(section->NetRole(), section->Address(), section->Port(), name, &error);
    if (!error.isEmpty()) dialog.ShowMessageLine(error);
    return start;
  };
  dialog.adjustSize();
  return section;
}

}  // namespace zarnet
