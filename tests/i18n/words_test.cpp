#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "codec.h"
#include "words.h"

namespace zarnet {
namespace {

// Every test leaves the language as it found it: English.
class Words : public ::testing::Test {
 protected:
  void SetUp() override { SetLanguageIndex(0); }
  void TearDown() override { SetLanguageIndex(0); }

  static std::vector<WordId> AllIds() {
    std::vector<WordId> ids;
    for (int i = 0; i < kWordCount; ++i) ids.push_back(static_cast<WordId>(i));
    return ids;
  }
  static std::vector<std::string> Snapshot() {
    std::vector<std::string> texts;
    for (WordId id : AllIds()) texts.push_back(WordUtf8(id));
    return texts;
  }
};

struct Expected {
  WordId id;
  const char* text;
};

// The English texts the other parts of the program quote, letter for letter
// (spelling, backquotes and trailing blanks included).
const Expected kCitedEnglish[] = {
      {WordId::Options, "Options"},
      {WordId::TopTen, "Top Ten"},
      {WordId::Exit, "Exit"},
      {WordId::History, "History"},
      {WordId::Unknown, "Unknown"},
      {WordId::Score, "Score"},
      {WordId::Games, "Games"},
      {WordId::ExitToMenu, "Exit to menu"},
      {WordId::YouWantToLeaveInTheMainMenu, "You want to leave in the main menu?"},
      {WordId::AllDatasForWantOfItWillBeLost, "All datas for want of it will be lost!"},
      {WordId::YouWantToLeaveFromGame, "You want to leave from game?"},
      {WordId::TheCompletionOfGame, "The completion of game"},
      {WordId::Congratulations, "CONGRATULATIONS!!!"},
      {WordId::YourResultTheBest, "Your result - the best!"},
      {WordId::GoodResult, "Good result!"},
      {WordId::YouHaveHittedInTopTenPlayers, "You have hitted in top ten players!"},
      {WordId::OurRegrets, "Our regrets..."},
      {WordId::YourResultKeepsToWishBest, "Your result keeps to wish best"},
      {WordId::YouHaveNotHittedInTenBestPlayers, "You have not hitted in ten best players..."},
      {WordId::ResultColon, "Result: "},
      {WordId::PlaceColon, "Place: "},
      {WordId::YouBecomeTheVicePresidentOfTheOrder, "You become the Vice-President of the order!"},
      {WordId::YouBecomeAMasterOfTheOrder, "You become a Master of the Order!"},
      {WordId::YouBecomeABachelorOfTheOrder, "You become a Bachelor of the Order!"},
      {WordId::IncorrectName, "Incorrect name!"},
      {WordId::ThePasswordsDoNotCoincide, "The passwords do not coincide!"},
      {WordId::TheIncorrectPassword, "The incorrect password!"},
      {WordId::Welcome, "Welcome!"},
      {WordId::EnterYourName, "Enter Your name:"},
      {WordId::EnterYourPassword, "Enter Your password:"},
      {WordId::AndOnceAgainForCheck, "And once again for check..."},
      {WordId::MrX, "Mr.X"},
      {WordId::Cancel, "Cancel"},
      {WordId::IncorrectIpAddress, "Incorrect IP-address!"},
      {WordId::IncorrectPort, "Incorrect Port!"},
      {WordId::Player, "Player"},
      {WordId::InformationAboutGame, "Information about game"},
      {WordId::TheCurrentScore, "The current score:"},
      {WordId::TheInitialScore, "The initial score:"},
      {WordId::TheGeneralScore, "The general score:"},
      {WordId::GeneralNumberOfGame, "General number of game:"},
      {WordId::NumberOfRoundInACurrentCycle, "Number of round in a current cycle:"},
      {WordId::NumberOfRoundInACurrentSession, "Number of round in a current session:"},
      {WordId::TheInitialRating, "The initial rating:"},
      {WordId::TheCurrentRating, "The current rating:"},
      {WordId::TheIncorrectFile, "The incorrect file"},
      {WordId::CantFindTheFile, "Can`t find the file"},
      {WordId::CantSaveOptions, "Can`t save options!"},
      {WordId::ErrorOfDiskWriting, "Error of disk writing!"},
      {WordId::CantCreateMusicFile, "Can`t create music file!"},
      {WordId::Client, "Client"},
      {WordId::Server, "Server"},
      {WordId::HasInterruptedGame, "has interrupted game!"},
      {WordId::PressOkForExitToTheMainMenu, "Press OK for exit to the main menu..."},
      {WordId::ExpectationOfTheServer, "Expectation of the server..."},
      {WordId::EnterIpOfServer, "Enter IP of server:"},
      {WordId::EnterPortOfServer, "Enter Port of server:"},
      {WordId::NumberGames, "Number games:"},
      {WordId::ServerClient, "Server / Client"},
      {WordId::ServerCreateTheGame, "Server create the game"},
      {WordId::ClientEntersToGame, "Client enters to game"},
      {WordId::ToReceiveTheIpAddresses, "To receive the IP-addresses"},
      {WordId::Download, "Download"},
      {WordId::PleaseWait, "Please, wait..."},
      {WordId::WorldTopTenTournamentIsTemporarilyUnavailable, "World Top Ten Tournament is temporarily unavailable!"},
      {WordId::ChatIsTemporarilyUnavailable, "Chat is temporarily unavailable!"},
      {WordId::UnableToWriteTheResultOfTheGame, "Unable to write the result of the game!"},
      {WordId::UnableToSendAMessage, "Unable to send a message!"},
      {WordId::Send, "Send"},
      {WordId::Close, "Close"},
      {WordId::YourScore, "Your score"},
      {WordId::YourPlace, "Your place"},
      {WordId::NumberOfGames, "Number of games"},
      {WordId::Passport, "Passport"},
      {WordId::Nick, "Nick"},
      {WordId::Country, "Country"},
      {WordId::City, "City"},
      {WordId::Sex, "Sex"},
      {WordId::Europe, "Europe"},
      {WordId::Asia, "Asia"},
      {WordId::NorthAmerica, "North America"},
      {WordId::SouthAmerica, "South America"},
      {WordId::Oceania, "Oceania"},
      {WordId::Africa, "Africa"},
      {WordId::Male, "Male"},
      {WordId::Female, "Female"},
      {WordId::LastMessageAtTheBottom, "Last message at the bottom"},
      {WordId::OpenThisWindowWhenANewMessage, "Open this window when a new message"},
      {WordId::Statistics, "Statistics"},
      {WordId::NumberOfStarts, "Number of starts"},
      {WordId::NumberOfUniqueStarts, "Number of unique starts"},
      {WordId::Likes, "Likes"},
      {WordId::LastLike, "Last Like"},
      {WordId::ILikeThisGame, "I like this game!"},
      {WordId::CouldNotConnectToServer, "Could not connect to server!"},
      {WordId::Repeat, "Repeat?"},
      {WordId::MyAccount, "My account"},
      {WordId::MyResults, "My results"},
      {WordId::LoginToAccount, "Login to account"},
      {WordId::SignOut, "Sign out"},
      {WordId::HidePassword, "Hide password"},
      {WordId::PlayGlobalRating, "Play global rating"},
      {WordId::ClubMembers, "Club members: "},
      {WordId::YourAccountHasBeenSuccessfullyCreated, "Your account has been successfully created!"},
      {WordId::TheClubAlreadyHasAPlayerWithTheSameNick, "The club already has a player with the same Nick!"},
      {WordId::CouldNotCreateAccount, "Could not create account!"},
      {WordId::LoginFailed, "Login failed!"},
      {WordId::InformationAboutYourGames, "Information about your games"},
      {WordId::Game, "Game"},
      {WordId::Rating, "Rating"},
      {WordId::Place, "Place"},
      {WordId::PlayedGames, "Played games"},
      {WordId::MyBestScore, "My best score"},
      {WordId::Top10BestRatedPlayers, "Top 10 best rated players"},
      {WordId::CreateAnAccount, "Create an account"},
      {WordId::Save, "Save"},
      {WordId::Delete, "Delete"},
      {WordId::PlayedCycles, "Played cycles"},
      {WordId::CurrentDeal, "Current Deal"},
      {WordId::CurrentScore, "Current Score"},
      {WordId::YouGet, "You get"},
      {WordId::AboutMe, "About me"},
      {WordId::President, "President"},
      {WordId::Refresh, "Refresh"},
      {WordId::CopiedToClipboard, "Copied to clipboard!"},
      {WordId::PresidentOfTheOrder, "President of the Order"},
      {WordId::ThePhotoMustBeInJpgFormat200x250PixelsInSize, "The photo must be in jpg format 200x250 pixels in size!"},
      {WordId::FailedToUploadPhotoToServer, "Failed to upload photo to server!"},
      {WordId::ThisInformationMayBeVisibleToOtherClubMembers, "This information may be visible to other club members."},
      {WordId::UpdateInfo, "Update info"},
      {WordId::RefreshPhoto, "Refresh photo"},
      {WordId::NewButtons, "New buttons"},
      {WordId::CreatingAGif, "Creating a GIF..."},
      {WordId::Speed, "Speed"},
      {WordId::ChoiceOfSpeed, "Choice of speed"},
      {WordId::SelectAFlightSpeedOfCards, "Select a flight speed of cards:"},
      {WordId::ExpectationOfConnectionOfOtherPlayers, "Expectation of connection of other players..."},
      {WordId::ExpectationOfGame, "Expectation of game..."},
      {WordId::TheSecondPlayerWasConnected, "The second player was connected..."},
      {WordId::TheThirdPlayerWasConnected, "The third player was connected..."},
      {WordId::TheFourthPlayerWasConnected, "The fourth player was connected..."},
      {WordId::ThereAreNoAccessibleGames, "There are no accessible games"},
      {WordId::HistoryOfGames, "History of games"},
      {WordId::Time, "Time"},
      {WordId::Date, "Date"},
      {WordId::Result, "Result"},
      {WordId::Type, "Type"},
      {WordId::NextGame, "Next game"},
      {WordId::CurrentGame, "Current game"},
      {WordId::ToBegin, "To Begin"},
      {WordId::ThatsAll, "That`s All..."},
      {WordId::Moscow, "Moscow"},
      {WordId::Yes, "Yes"},
      {WordId::No, "No"},
      {WordId::Q, "Q"},
      {WordId::K, "K"},
      {WordId::Rules, "Rules"},
      {WordId::BlackHand, "Black Hand"},
      {WordId::ChangeTheDeuce, "Change the deuce"},
      {WordId::ReplaceDeuce, "Replace deuce"},
      {WordId::ThisStatisticIsMaintainedSinceVersion52, "This statistic is maintained since version 5.2"},
      {WordId::GamesPlayedWithPc, "Games played with PC"},
      {WordId::CyclesPlayedWithPc, "Cycles played with PC"},
      {WordId::WinningPeopleGameWithPc, "Winning people (game with PC)"},
      {WordId::LossOfPeopleGameWithPc, "Loss of people (game with PC)"},
      {WordId::GamesPlayedNet, "Games played Net"},
      {WordId::GamesPlayedOnline, "Games played Online"},
      {WordId::DynamicIqForWindowsPercent, "Dynamic IQ for Windows (percent)"},
      {WordId::BestWindowsPlayer, "Best Windows Player: "},
      {WordId::BestAndroidPlayer, "Best Android Player: "},
      {WordId::TheBestPlayerOfGamesFromUnderTheAccount, "The best player of games from under the account: "},
      {WordId::LostConnectionWithTheServer, "Lost connection with the server!"},
      {WordId::InterruptedTheGame, "interrupted the game!"},
      {WordId::YouWon, "You won!"},
      {WordId::YouLose, "You lose!"},
      {WordId::TimeIsUp, "time is up!"},
      {WordId::LogInToYourAccount, "Log in to your account!"},
      {WordId::YourTimeIsUp, "Your time is up!"},
      {WordId::TakeThePlaceOf, "Take the place of"},
      {WordId::Free, "Free"},
      {WordId::ServerConnectionError, "Server connection error!"},
      {WordId::ThisTableIsAlreadyOccupiedByAPlayerWithYourIp, "This table is already occupied by a player with your IP!"},
      {WordId::OnlineTournament, "Online-Tournament"},
      {WordId::Table, "Table"},
      {WordId::LogOff, "Log off"},
};

TEST_F(Words, CitedEnglishTextsArePresentExactly) {
  std::set<int> seen;
  for (const Expected& e : kCitedEnglish) {
    EXPECT_EQ(WordUtf8(e.id), e.text) << WordIdName(e.id);
    EXPECT_EQ(Word(e.id), e.text) << WordIdName(e.id);  // plain ASCII: cp1251 is the same
    EXPECT_TRUE(seen.insert(static_cast<int>(e.id)).second) << "two texts share " << WordIdName(e.id);
  }
}

// English texts quoted elsewhere: window captions, lists and messages.
TEST_F(Words, OtherQuotedEnglishTexts) {
  const Expected kOther[] = {
      {WordId::TheMembersOfClubGamesScore, " The members of club    Games    Score "},
      {WordId::TheMembersOfClubGamesRating, " The members of club    Games   Rating "},
      {WordId::TheFile, "The file"},
      {WordId::HasIncorrectAttributes, " has incorrect attributes!"},
      {WordId::TheWorkOfTheProgramWillBeIncorrect, "The work of the program will be incorrect!"},
      {WordId::CanntSaveHistory, "Cann`t save history!"},
      {WordId::NoHistoryFiles, "No History Files"},
      {WordId::FileI, "File I"},
      {WordId::Local, "Local"},
      {WordId::Net, "Net"},
      {WordId::Account, "Account"},
      {WordId::Tourney, "Tourney"},
      {WordId::Ok, "Ok"},
      {WordId::Attention, "Attention"},
      {WordId::NoConnect, "No Connect"},
      {WordId::NoConnectUpper, "NO CONNECT"},
      {WordId::TabSaveGames, "Save Games"},
      {WordId::GifAnimation, "Gif-Animation"},
      {WordId::FlyCards, "Fly-Cards"},
      {WordId::Loop, "Loop"},
      {WordId::WorldOnlineTournament, "WORLD ONLINE TOURNAMENT"},
      {WordId::OnlineTopTen, "ONLINE TOP TEN"},
      {WordId::Top10, "Top 10"},
      {WordId::ServerOn, "Server On"},
      {WordId::ServerOff, "Server Off"},
      {WordId::On, "On"},
      {WordId::Off, "Off"},
      {WordId::KuvGamesChat, "Kuv Games Chat"},
      {WordId::KuvChat, "Kuv Chat!"},
      {WordId::PlayerTimeIsUp, "Player"},
      {WordId::MyPassport, "My Passport"},
      {WordId::WorldTopTen, "World Top Ten"},
      {WordId::WorldStats, "WORLD STATS"},
      {WordId::GameName, "Zarnet"},
      {WordId::GameNameUpper, "ZARNET"},
      {WordId::January, "January"},
      {WordId::December, "December"},
      {WordId::Aries, "Aries"},
      {WordId::Pisces, "Pisces"},
      {WordId::YearOfTheRat, "Year Of The Rat"},
      {WordId::YearOfTheRooster, "Year Of The Rooster"},
      {WordId::HolidayUk, "Holiday UK"},
      {WordId::RussianFestival, "Russian Festival"},
      {WordId::GermanHoliday, "German holiday"},
      {WordId::FrenchHoliday, "French holiday"},
      {WordId::SpanishHoliday, "Spanish holiday"},
      {WordId::HolidayUnitedStates, "Holiday United States"},
      {WordId::TheOrthodoxHoliday, "The Orthodox holiday"},
      {WordId::CatholicFeast, "Catholic feast"},
      {WordId::ThAnniversary, "-th anniversary"},
      {WordId::NumberSign, "№"},
      {WordId::C, "C"},
  };
  for (const Expected& e : kOther) EXPECT_EQ(WordUtf8(e.id), e.text) << WordIdName(e.id);
}

// The calendar walks these in order: twelve months, twelve signs from Aries,
// twelve animal years from the rat.
TEST_F(Words, CalendarTablesAreConsecutive) {
  const int january = static_cast<int>(WordId::January);
  EXPECT_EQ(static_cast<int>(WordId::December), january + 11);
  EXPECT_EQ(WordUtf8(static_cast<WordId>(january + 4)), "May");
  const int aries = static_cast<int>(WordId::Aries);
  EXPECT_EQ(static_cast<int>(WordId::Pisces), aries + 11);
  EXPECT_EQ(WordUtf8(static_cast<WordId>(aries + 6)), "Libra");
  const int rat = static_cast<int>(WordId::YearOfTheRat);
  EXPECT_EQ(static_cast<int>(WordId::YearOfThePig), rat + 11);
  EXPECT_EQ(WordUtf8(static_cast<WordId>(rat + 8)), "Year Of The Monkey");
}

// Texts quoted in Russian are the Russian column of their entry.
TEST_F(Words, QuotedRussianCaptions) {
  const Expected kRussian[] = {
      {WordId::Options, "Опции"},
      {WordId::Sound, "Звук"},
      {WordId::Music, "Музыка"},
      {WordId::Game, "Кон"},
      {WordId::ChoiceOfSpeed, "Выбор скорости"},
      {WordId::Passport, "Паспорт"},
      {WordId::NewButtons, "Новые кнопки"},
      {WordId::NetGame, "Сетевая игра"},
      {WordId::OwnCursor, "Собственный курсор"},
      {WordId::SmallWindow, "Маленькое окно"},
      {WordId::FullScreen, "На весь экран"},
      {WordId::MediumWindow1, "Среднее окно 1"},
      {WordId::MediumWindow2, "Среднее окно 2"},
      {WordId::LargeWindow, "Большое окно"},
      {WordId::LargeFont, "Крупный шрифт"},
      {WordId::SmallFont, "Мелкий шрифт"},
      {WordId::SpecialFont1, "Особый шрифт 1"},
      {WordId::SpecialFont2, "Особый шрифт 2"},
      {WordId::ScalePercent, "Масштаб, %"},
      {WordId::Default, "По умолчанию"},
      {WordId::Change, "Изменение"},
      {WordId::ChangeBacks, "Менять рубашки"},
      {WordId::AlwaysOne, "Всегда одна"},
      {WordId::Random, "Случайно"},
      {WordId::SaveGamesAsGifAnimation, "Сохранять игры как GIF-анимацию"},
      {WordId::SaveOnlyTheMainWindow, "Сохранять содержимое только главного окна"},
      {WordId::SaveTheWholeScreen, "Сохранять содержимое экрана"},
      {WordId::DelayBetweenFramesMsec, "Задержка между кадрами, msec:"},
      {WordId::MainMenuDesign, "Дизайн Главного Меню"},
      {WordId::CardTableDesign, "Дизайн Игрового стола"},
      {WordId::DialogWindowsDesign, "Дизайн вспомогательных окон"},
      {WordId::Buttons, "Кнопки"},
      {WordId::Cards, "Карты"},
      {WordId::Fireworks, "Салют"},
      {WordId::Chat, "Чат"},
      {WordId::PlayerTimeIsUp, "У игрока"},
  };
  SetLanguageIndex(1);
  for (const Expected& e : kRussian) EXPECT_EQ(WordUtf8(e.id), e.text) << WordIdName(e.id);
}

TEST_F(Words, EveryEntryHasAllTenTexts) {
  for (int lang = 0; lang < kLanguageCount; ++lang) {
    SetLanguageIndex(lang);
    for (WordId id : AllIds()) {
      EXPECT_FALSE(WordUtf8(id).empty()) << WordIdName(id) << " in language " << lang;
      EXPECT_FALSE(Word(id).empty()) << WordIdName(id) << " in language " << lang;
    }
  }
}

// Callers join texts and values without separators of their own ("Result: "
// then the score, the path then " has incorrect attributes!"), so a blank at
// either end of the English text must survive translation. Chinese, Japanese
// and Korean may drop a leading one: they join without spaces.
TEST_F(Words, JoiningBlanksSurviveTranslation) {
  for (WordId id : AllIds()) {
    const std::string en = WordUtf8(id, 0);
    for (int lang = 1; lang < kLanguageCount; ++lang) {
      const std::string t = WordUtf8(id, lang);
      const bool cjk = lang == 5 || lang == 8 || lang == 9;
      EXPECT_EQ(t.back() == ' ', en.back() == ' ') << WordIdName(id) << " in language " << lang;
      if (en.front() == ' ' && !cjk) {
        EXPECT_EQ(t.front(), ' ') << WordIdName(id) << " in language " << lang;
      } else if (en.front() != ' ') {
        EXPECT_NE(t.front(), ' ') << WordIdName(id) << " in language " << lang;
      }
    }
  }
}

TEST_F(Words, SwitchingToRussianAndBackRestoresEveryText) {
  const auto english = Snapshot();
  SetLanguageIndex(1);
  EXPECT_EQ(LanguageIndex(), 1);
  const auto russian = Snapshot();
  EXPECT_EQ(WordUtf8(WordId::ExitToMenu), "Выход в меню");
  SetLanguageIndex(0);
  EXPECT_EQ(Snapshot(), english);
  EXPECT_NE(russian, english);
}

// English and Russian texts go into files and onto the wire as cp1251, so
// they must hold only characters that code page has. The language list is
// the exception: it shows each language in its own script, on screen only.
TEST_F(Words, EnglishAndRussianAreWhollyCp1251) {
  const std::set<WordId> ownScript = {WordId::LanguageFrench,  WordId::LanguageSpanish,
                                      WordId::LanguageChinese, WordId::LanguageCzech,
                                      WordId::LanguageJapanese, WordId::LanguageKorean};
  for (int lang : {0, 1}) {
    SetLanguageIndex(lang);
    for (WordId id : AllIds()) {
      if (ownScript.count(id)) continue;
      EXPECT_EQ(Cp1251ToUtf8(Word(id)), WordUtf8(id)) << WordIdName(id) << " in language " << lang;
    }
  }
}

// The cp1251 form of a Latin-script language keeps its letters readable.
TEST_F(Words, Cp1251FormsWriteAccentedLettersPlain) {
  SetLanguageIndex(2);
  EXPECT_EQ(Word(WordId::Close), "Schliessen");
  SetLanguageIndex(7);
  EXPECT_EQ(Word(WordId::ChangeTheDeuce), "Vymena dvojky");
  SetLanguageIndex(0);
  EXPECT_EQ(Word(WordId::LanguageCzech), "Cestina");
  EXPECT_EQ(WordUtf8(WordId::LanguageCzech), "Čeština");
  SetLanguageIndex(5);
  EXPECT_EQ(Word(WordId::Exit), "??");
}

TEST_F(Words, PictureCodes) {
  const std::array<const char*, kLanguageCount> codes = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                         "Chi", "Ita", "Cze", "Eng", "Eng"};
  for (int lang = 0; lang < kLanguageCount; ++lang) {
    SetLanguageIndex(lang);
    EXPECT_EQ(LanguageCode(), codes[lang]) << lang;
  }
  // Japanese and Korean: own texts, English pictures.
  for (int lang : {8, 9}) {
    SetLanguageIndex(lang);
    EXPECT_NE(WordUtf8(WordId::Options), "Options") << lang;
  }
}

TEST_F(Words, LanguageOutsideTheRangeFallsBackToEnglish) {
  for (int bad : {-1, 10, 255}) {
    SetLanguageIndex(3);
    SetLanguageIndex(bad);
    EXPECT_EQ(LanguageIndex(), 0) << bad;
    EXPECT_EQ(WordUtf8(WordId::Exit), "Exit") << bad;
    EXPECT_EQ(WordUtf8(WordId::Exit, bad), "Exit") << bad;
  }
}

// Asking for one language leaves the current one alone.
TEST_F(Words, LookupInAGivenLanguage) {
  SetLanguageIndex(2);
  EXPECT_EQ(WordUtf8(WordId::Exit, 1), "Выход");
  EXPECT_EQ(WordUtf8(WordId::Exit, 9), "종료");
  EXPECT_EQ(LanguageIndex(), 2);
  EXPECT_EQ(WordUtf8(WordId::Exit, 2), WordUtf8(WordId::Exit));
}

// Names and the record-board titles read the same everywhere; any other
// entry whose every column repeats the English one was left untranslated.
TEST_F(Words, OnlyNamesRepeatTheEnglishText) {
  const std::set<WordId> sameEverywhere = {
      WordId::MrX,
      WordId::AccountRatingAllGames,
      WordId::AccountScoreGamesInCycle,
      WordId::WindowsScoreGamesInCycle,
      WordId::AndroidScoreGamesInCycle,
      WordId::WindowsOnlineTournament,
      WordId::WindowsLocalGamesWithPc,
      WordId::WindowsNetGames,
      WordId::KuvGamesChat,
      WordId::KuvChat,
      WordId::Windows,
      WordId::Android,
      WordId::LanguageEnglish,
      WordId::LanguageRussian,
      WordId::LanguageGerman,
      WordId::LanguageFrench,
      WordId::LanguageSpanish,
      WordId::LanguageChinese,
      WordId::LanguageItalian,
      WordId::LanguageCzech,
      WordId::LanguageJapanese,
      WordId::LanguageKorean,
      // Brand names of the profile's contact fields.
      WordId::Skype,
      WordId::Odnoklassniki,
      WordId::Telegram,
      WordId::Facebook,
      WordId::Twitter,
      WordId::Instagram,
      WordId::YouTube,
  };
  for (WordId id : AllIds()) {
    SetLanguageIndex(0);
    const std::string english = WordUtf8(id);
    int same = 0;
    for (int lang = 1; lang < kLanguageCount; ++lang) {
      SetLanguageIndex(lang);
      same += WordUtf8(id) == english;
    }
    if (sameEverywhere.count(id)) {
      EXPECT_EQ(same, kLanguageCount - 1) << WordIdName(id);
    } else {
      EXPECT_LT(same, kLanguageCount - 1) << WordIdName(id) << " is not translated";
    }
  }
}

}  // namespace
}  // namespace zarnet
