#pragma once

#include "grid_place.h"
#include "phrase_data/ado_connection.h"
#include "phrase_data/ado_table.h"
#include "phrase_data/data_source.h"
#include "phrase_data/language_field.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/width_rule.h"

#include <QByteArray>
#include <QMainWindow>
#include <memory>
#include <optional>

namespace station {
class ProfileStore;
}
class ContactBlanks;
class ContactPanel;
class FindWindow;
class PhraseCard;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class FramePlacement;
class PhraseCommands;
class PhraseGrid;
class RadioGroup;
class SpeechPlayer;
class SpellerWindow;

// The path of the data file to open next, "dsb\name.dsb"; empty at start. It keeps the last
// path assigned, also after a failed load.
extern QByteArray DataFilePath;

// The main window: the topic list, the text buttons, the phrase grid and the menus. Its members
// die in the reverse of their order: the "Phrase" menu's windows first, then the controls, then
// the data components the controls read through.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 969;
    static constexpr int DesignHeight = 636;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    void setVisible(bool visible) override;
    // The window's size with its frame, as the layout rules read it.
    [[nodiscard]] QSize outerSize() const;
    void setOuterSize(int width, int height);

    // Column widths by a width rule, from the window's present outer width.
    void applyWidthRule(phrase_data::WidthRule rule);

    // Non-visual components, made before the controls and gone after them.
    phrase_data::AdoConnection ADOConnection1;
    phrase_data::AdoTable ADOTable1;
    phrase_data::DataSource DataSource1;

    // Controls, with their design names.
    // Holds every control of the client area: they die with it.
    const std::unique_ptr<QScrollArea> ScrollBox;
    QWidget* const Client;
    RadioGroup* const RadioGroup1;
    QGroupBox* const GroupBox1;
    QPushButton* const Button7;
    QPushButton* const Button6;
    QPushButton* const Button1;
    QGroupBox* const GroupBox2;
    PhraseGrid* const DBGrid1;
    QGroupBox* const GroupBox3;
    QLabel* const Image2;

    // The main menu.
    QMenu* Russia1;
    QAction* Eng1;
    QAction* Rus1;
    QAction* Exit1;
    QMenu* ime1;
    QMenu* Dicteng1;
    QAction* Clock1;
    QAction* Days1;
    QAction* ModalVerbs1;
    QMenu* N1;
    QAction* Dictionaries1;
    QAction* SlangEngRus1;
    QAction* ProverbsRusGer1;
    QAction* SlangGerRus1;
    QMenu* Left1;
    QAction* Rus2;
    QAction* RusPhonetic2;
    QAction* Eng2;
    QAction* Ger1;
    QAction* French2;
    QAction* Italian1;
    QAction* Spanish2;
    QAction* Portuguese2;
    QAction* Japanese2;
    QMenu* Right1;
    QAction* Rus3;
    QAction* RusPhonetic1;
    QAction* Eng3;
    QAction* Ger2;
    QAction* French1;
    QAction* F1;
    QAction* Spanish1;
    QAction* Portuguese1;
    QAction* Japanese1;

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormResize();
    void RadioGroup1Click();
    void Button7Click();
    void Button6Click();
    void Button1Click();
    void Exit1Click();
    void Clock1Click();
    void Days1Click();
    void ModalVerbs1Click();
    void Dictionaries1Click();
    void SlangEngRus1Click();
    void ProverbsRusGer1Click();
    void SlangGerRus1Click();
    void Rus2Click();
    void RusPhonetic2Click();
    void Eng2Click();
    void Ger1Click();
    void French2Click();
    void Italian1Click();
    void Spanish2Click();
    void Portuguese2Click();
    void Japanese2Click();
    void Rus3Click();
    void RusPhonetic1Click();
    void Eng3Click();
    void Ger2Click();
    void French1Click();
    void F1Click();
    void Spanish1Click();
    void Portuguese1Click();
    void Japanese1Click();
    // Opens the topic or list of a data file through its own command and makes the row current.
    void showFoundRow(const QString& path, int row);
    // Shows the user's own phrases, empty until their file exists.
    void showMyPhrases();
    // Reads the user's own phrases again after a change and makes a row current (none below 0).
    void reloadMyPhrases(int row);
    // The data path of the user's own file, absolute.
    [[nodiscard]] static QByteArray myPhrasesDataPath();

    // The commands of the menu "Phrase", and the windows they open.
    [[nodiscard]] PhraseCommands& phraseCommands() const { return *m_commands; }
    [[nodiscard]] FindWindow* findWindow() const;
    [[nodiscard]] PhraseCard* phraseCard() const;
    [[nodiscard]] SpellerWindow* spellerWindow() const;
    [[nodiscard]] SpeechPlayer& speechPlayer();
    void FindClick();
    void PhraseCardClick();
    void MyPhrasesClick();
    void AddPhraseClick();
    void EditPhraseClick();
    void DeletePhraseClick();
    void AddToMyPhrasesClick();
    void RestoreBackupClick();
    void PrintClick();
    void ExportPdfClick();

    // The caption of the list now shown: its topic, its reference list or "My phrases".
    [[nodiscard]] QString shownCaption() const;
    [[nodiscard]] bool showingMyPhrases() const;
    void SayClick();
    void SpellerClick();

    // The contact at hand: the operator's station and the other one.
    void MyStationClick();
    void ContactPanelClick();
    void KeepLanguagePairClick();
    [[nodiscard]] ContactPanel* contactPanel() const { return m_contactPanel.get(); }
    [[nodiscard]] station::ProfileStore& profileStore() const { return *m_profileStore; }
    // The values the phrases' blanks are filled with, wherever the window shows a phrase.
    [[nodiscard]] ContactBlanks& contactBlanks() const { return *m_blanks; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void CloseDataFile();
    void LoadDataFile();
    void bindLanguages(phrase_data::LanguageField left, phrase_data::LanguageField right);
    // A command of the menus made from the catalogue, by the catalogue row it was made from.
    void loadReference(const QAction* command);
    void bindLanguage(GridPlace place, const QAction* command);
    void updateScrollExtent();
    void updatePhraseCommands();
    void markLanguages();

    // The menu after "Right": the commands that go beyond the designed window.
    QMenu* m_phraseMenu = nullptr;
    QAction* m_addPhrase = nullptr;
    QAction* m_editPhrase = nullptr;
    QAction* m_deletePhrase = nullptr;
    QAction* m_addToMyPhrases = nullptr;
    QAction* m_keepLanguagePair = nullptr;
    FramePlacement* const m_placement;
    // A child of the window: it outlives the grid and the windows that read it.
    ContactBlanks* const m_blanks;
    bool m_placed = false;
    // The settings, and the panel that reads them: it goes first.
    std::unique_ptr<station::ProfileStore> m_profileStore;
    std::unique_ptr<ContactPanel> m_contactPanel;
    // Last: its windows read the grid and the data components.
    const std::unique_ptr<PhraseCommands> m_commands;
};
