// The welcome dialog's fields for a net game: the role, the server's address
// and port, the deals of a series, and the machine's own addresses.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "form_common.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace zarnet {

class TFormPassword;
class TKuvCardsButton;
class TPeerGame;
struct Settings;

// The machine's IPv4 interface addresses, loopback left out.
std::vector<QString> InterfaceAddresses();

class TNetworkSection : public QWidget {
  Q_OBJECT

 public:
  // `lastAddress` and `lastPort` are the settings' remembered texts; the
  // section keeps them up to date as the player types.
  TNetworkSection(std::string& lastAddress, std::string& lastPort, const FormStyle& style,
                  QWidget* parent = nullptr);

  uint8_t NetRole() const { return role_; }
  void ChooseRole(uint8_t role);
  // The address and port checks of the dialog's OK; the failure's message
  // and the field to focus, or an empty message.
  QString Check(QWidget** focus = nullptr) const;
  QString Address() const;
  quint16 Port() const;
  void RememberAddress() { lastAddress_ = Address().toStdString(); }

  // Fills the address boxes: interfaces, the external address, loopback.
  void ReceiveAddresses();
  // The machine's address as the outside sees it; empty when unknown.
  std::function<QString()> ExternalAddress;
  QString ExternalHint;  // who was asked
  // The page on connecting through a router; the '?' button is off without it.
  void SetHelpPage(const QString& url);

  QRadioButton* RadioServer;
  QRadioButton* RadioClient;
  QLabel* LabelAddress;
  QLineEdit* EditAddress;
  QLineEdit* EditPort;
  QLineEdit* EditGames;
  TKuvCardsButton* ButtonAddresses;
  TKuvCardsButton* ButtonHelp;
  std::array<QLineEdit*, 7> AddressBox{};  // 1..6

 private:
  void AddressEdited(const QString& text);
  void PortEdited(const QString& text);
  std::string& lastAddress_;
  std::string& lastPort_;
  uint8_t role_ = 1;
  QString helpPage_;
};

// Puts the section into the welcome dialog: a net game's name takes at most
// nine characters, and the dialog's OK checks the fields and makes the link
// through `peer`. Gives the section, owned by the dialog.
TNetworkSection* AttachNetworkSection(TFormPassword& dialog, TPeerGame& peer, Settings& settings,
                                      const FormStyle& style);

}  // namespace zarnet
