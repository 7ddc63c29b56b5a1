#include "chat_room.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "atomic_file.h"
#include "codec.h"
#include "kuv_button.h"
#include "passport.h"
#include "resources.h"
#include "table_drawing.h"
#include "world_pictures.h"

namespace zarnet {

std::string ChatSettingsPath(const std::string& programFolder) {
  std::filesystem::path p(programFolder);
  if (!p.has_filename()) p = p.parent_path();
  return (p.parent_path() / kChatSettingsFile).string();
}

namespace {

std::optional<int> LeadingNumber(const std::string& line) {
  std::string t = line;
  while (!t.empty() && (t.back() == '\r' || t.back() == ' ')) t.pop_back();
  if (t.empty() || t.size() > 9) return std::nullopt;
  int n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

ChatSettings ReadChatSettings(const std::string& programFolder) {
  const std::string path = ChatSettingsPath(programFolder);
  if (!std::filesystem::exists(path)) {
    ChatSettings fresh;
    fresh.LastSeen = 1;
    SaveChatSettings(programFolder, fresh);
    return fresh;
  }
  ChatSettings s;
  const auto text = ReadWholeFile(path);
  if (!text) return s;
  std::vector<std::string> lines(3);
  size_t k = 0, start = 0;
  while (k < 3 && start <= text->size()) {
    const size_t end = text->find('\n', start);
    lines[k++] = text->substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  s.LastSeen = LeadingNumber(lines[0]).value_or(0);
  s.AtBottom = !lines[1].empty() && lines[1][0] == '1';
  s.PopUp = !lines[2].empty() && lines[2][0] == '1';
  return s;
}

bool SaveChatSettings(const std::string& programFolder, const ChatSettings& s) {
  return ReplaceFile(ChatSettingsPath(programFolder), std::to_string(s.LastSeen) + "\r\n" +
                                                          (s.AtBottom ? "1" : "0") + "\r\n" +
                                                          (s.PopUp ? "1" : "0") + "\r\n");
}

std::string ChatText(std::string_view cp1251) {
  std::string out(cp1251);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    std::string_view("!(),-._@").find(ch) != std::string_view::npos || c >= 0xC0 ||
                    c == 0xA8 || c == 0xB8;
    if (!ok) ch = '_';
  }
  return out;
}

std::string ChatStamp(const QDateTime& when) {
  const QLocale l = QLocale::system();
  const QString text = l.toString(when.time(), QLocale::ShortFormat) + "_" +
                       l.toString(when.date(), QLocale::ShortFormat) + "_Zarnet";
  return ChatText(Utf8ToCp1251(text.toStdString()));
}

QString ChatShown(std::string_view stored) {
  std::string t(stored);
  for (char& c : t)
    if (c == '_') c = ' ';
  return FromFile(t);
}

QImage DrawChatList(const RecordList* list, int lastSeen, bool atBottom) {
  QImage img(700, 500, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  for (int b = 0; b < 10; ++b) {
    const int y0 = b * 50;
    QLinearGradient top(0, y0, 0, y0 + 25), low(0, y0 + 25, 0, y0 + 50);
    top.setColorAt(0, QColor(255, 200, 200));
    top.setColorAt(1, Qt::white);
    low.setColorAt(0, QColor(200, 200, 255));
    low.setColorAt(1, Qt::white);
    p.fillRect(0, y0, 700, 25, top);
    p.fillRect(0, y0 + 25, 700, 25, low);
  }
  QFont font("DejaVu Sans");
  font.setPixelSize(13);
  p.setFont(font);
  const QFontMetrics fm(font);
  auto text = [&](int x, int y, const QColor& c, const QString& s) {
    p.setPen(c);
    p.drawText(x, y + fm.ascent(), s);
  };
  if (!list) {
    font.setBold(true);
    p.setFont(font);
    text(5, 4, QColor(255, 0, 0), WordText(WordId::NoConnect));
    return img;
  }
  const QImage fresh = ProgramPicture("GNew");
  for (int i = 1; i <= 10; ++i) {
    const TKuvRecord& e = (*list)[i];
    if (e.Nick == "#") continue;
    const int y0 = (ChatRow(i, atBottom) - 1) * 50;
    text(5, y0 + 4, QColor(255, 0, 0), QString::number(e.Score) + ".");
    p.drawImage(60, y0 + 6, FlagFor(e.Country));
    p.drawImage(80, y0 + 4, FaceFor(e.R07));
    text(105, y0 + 4, QColor(128, 0, 0),
         FromFile(e.City) + " : " + ChatShown(e.R09) + " " + FromFile(e.R08) + " : " + FromFile(e.Nick));
    text(5, y0 + 29, QColor(0, 0, 128), ChatShown(e.R10));
    if (e.Score > lastSeen) {
      p.drawImage(650, y0 + 5, fresh);
      p.drawImage(650, y0 + 30, fresh);
    }
  }
  return img;
}

bool CheckChatNews(WebServices& web, const std::string& programFolder, ChatState* state) {
  state->settings = ReadChatSettings(programFolder);
  RecordList list;
  state->Newest = web.ReadRecords(kChatBoard, &list) ? list[1].Score : 0;
  return state->settings.LastSeen < state->Newest;
}

TFormChat::TFormChat(Settings& settings, WebServices& web, ChatState& state, std::string programFolder,
                     const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), settings_(settings), web_(web), state_(state), folder_(std::move(programFolder)) {
  InitArtResources();
  setWindowTitle(WordText(WordId::KuvGamesChat));
  Inform = [this](const QString& t) { QMessageBox::information(this, windowTitle(), t); };
  QVBoxLayout* frame = MakeFrame(style);
  auto* top = new QHBoxLayout;
  frame->addLayout(top);
  CheckBox1 = new QCheckBox(WordText(WordId::LastMessageAtTheBottom), this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox2 = new QCheckBox(WordText(WordId::OpenThisWindowWhenANewMessage), this);
  CheckBox2->setObjectName("CheckBox2");
  for (QCheckBox* c : {CheckBox1, CheckBox2}) c->setFont(style.Font(13));
  CheckBox1->setChecked(state_.settings.AtBottom);
  CheckBox2->setChecked(state_.settings.PopUp);
  Image3 = new QPushButton(this);
  Image3->setObjectName("Image3");
  Image3->setFlat(true);
  Image3->setIcon(QPixmap::fromImage(ProgramPicture("AdvButG")));
  Image3->setIconSize(QSize(32, 32));
  Image3->setToolTip(WordText(WordId::Refresh));
  top->addWidget(CheckBox1);
  top->addWidget(CheckBox2);
  top->addStretch();
  top->addWidget(Image3);

  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setFixedSize(700, 500);
  frame->addWidget(Image2);

  auto* line = new QHBoxLayout;
  frame->addLayout(line);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(80);
  Edit1->setFont(style.Font(14));
  Button3 = MakeButton("Button3", WordText(WordId::Send), 100, style, this);
  line->addWidget(Edit1, 1);
  line->addWidget(Button3);
  auto* bottom = new QHBoxLayout;
  frame->addLayout(bottom);
  Button2 = MakeButton("Button2", WordText(WordId::Passport), 120, style, this);
  Button1 = MakeButton("Button1", WordText(WordId::Close), 100, style, this);
  bottom->addWidget(Button2);
  bottom->addStretch();
  bottom->addWidget(Button1);
  SetDefaultButton(Button1);

  connect(Button1, &QAbstractButton::clicked, this, &QDialog::accept);
  connect(Button2, &QAbstractButton::clicked, this, &TFormChat::Button2Click);
  connect(Button3, &QAbstractButton::clicked, this, [this] { PostChatMessage(); });
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { PostChatMessage(); });
  connect(Image3, &QPushButton::clicked, this, &TFormChat::Image3Click);
  connect(CheckBox1, &QCheckBox::clicked, this, &TFormChat::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TFormChat::CheckBox2Click);
  Timer1.setInterval(15000);
  connect(&Timer1, &QTimer::timeout, this, &TFormChat::Timer1Timer);
  Timer1.start();

  Edit1->setEnabled(InputAllowed());
  Button3->setEnabled(InputAllowed());
  ShowChatMessages();
}

void TFormChat::ShowChatMessages() {
  BoardRead = web_.ReadRecords(kChatBoard, &Board);
  List = DrawChatList(BoardRead ? &Board : nullptr, state_.settings.LastSeen, state_.settings.AtBottom);
  Image2->setPixmap(QPixmap::fromImage(List));
  if (BoardRead) state_.Newest = Board[1].Score;
}

bool TFormChat::PostChatMessage() {
  if (!Edit1->isEnabled() || Edit1->text().isEmpty()) return false;
  const std::string text = ChatText(Utf8ToCp1251(Edit1->text().toStdString()));
  RecordList now;
  bool posted = false;
  int n = 0;
  if (web_.ReadRecords(kChatBoard, &now)) {
    n = now[1].Score;
    TKuvRecord r;
    r.Nick = settings_.PassportNick;
    r.City = settings_.PassportCity;
    r.Country = settings_.PassportCountry;
    r.Score = n + 1;
    r.R07 = std::string(1, settings_.PassportSex);
    r.R09 = ChatStamp(QDateTime::currentDateTime());
    r.R10 = text;
    posted = web_.SubmitRecord(kChatBoard, r) > 0;
  }
  if (!posted) {
    Inform(WordText(WordId::UnableToSendAMessage));
    return false;
  }
  Edit1->clear();
  Edit1->setEnabled(false);
  Button3->setEnabled(false);
  Image3->hide();
  // The own message is seen: it is not marked new.
  state_.Newest = state_.settings.LastSeen = n + 1;
  ShowChatMessages();
  state_.Newest = std::max(state_.Newest, n + 1);
  SaveSettingsOrTell();
  return true;
}

void TFormChat::SaveSettingsOrTell() {
  if (SaveChatSettings(folder_, state_.settings)) return;
  // Once a window: every click would fail alike.
  if (!toldSaveFailure_ && Inform) Inform(WordText(WordId::CantSaveOptions));
  toldSaveFailure_ = true;
}

void TFormChat::Timer1Timer() {
  Image3->show();
  Edit1->setEnabled(InputAllowed());
  Button3->setEnabled(InputAllowed());
  CheckBox1->setEnabled(true);
}

void TFormChat::Image3Click() {
  ShowChatMessages();
  Image3->hide();
}

void TFormChat::CheckBox1Click() {
  state_.settings.AtBottom = CheckBox1->isChecked();
  SaveSettingsOrTell();
  ShowChatMessages();
  CheckBox1->setEnabled(false);
}

void TFormChat::CheckBox2Click() {
  state_.settings.PopUp = CheckBox2->isChecked();
  SaveSettingsOrTell();
}

void TFormChat::Button2Click() {
  if (OpenPassport) OpenPassport();
  Edit1->setEnabled(InputAllowed());
  Button3->setEnabled(InputAllowed());
}

void TFormChat::done(int r) {
  state_.settings.LastSeen = std::max(state_.settings.LastSeen, state_.Newest);
  SaveSettingsOrTell();
  TRecordDialog::done(r);
}

void TFormChat::keyPressEvent(QKeyEvent* e) {
  // Enter in the input posts; it does not close the window.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && Edit1->hasFocus()) return;
  TRecordDialog::keyPressEvent(e);
}

}  // namespace zarnet
