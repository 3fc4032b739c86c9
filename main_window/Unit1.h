#pragma once

#include "phrase_data/ado_connection.h"
#include "phrase_data/ado_table.h"
#include "phrase_data/data_source.h"
#include "phrase_data/language_field.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/width_rule.h"

#include <QByteArray>
#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class FramePlacement;
class PhraseGrid;
class RadioGroup;

// The path of the data file to open next, "dsb\name.dsb"; empty at start. It keeps the last
// path assigned, also after a failed load.
extern QByteArray DataFilePath;

// The main window: the topic list, the text buttons, the phrase grid and the menus.
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

    // Non-visual components.
    phrase_data::AdoConnection ADOConnection1;
    phrase_data::AdoTable ADOTable1;
    phrase_data::DataSource DataSource1;

    // Controls, with their design names.
    QScrollArea* const ScrollBox;
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void CloseDataFile();
    void LoadDataFile();
    void bindLanguages(phrase_data::LanguageField left, phrase_data::LanguageField right);
    void loadReference(phrase_data::ReferenceCommand command);
    void bindLanguage(int place, phrase_data::LanguageField field);
    void updateScrollExtent();
    void markLanguages();

    // The menu after "Right": the commands that go beyond the designed window.
    QMenu* m_phraseMenu = nullptr;
    FramePlacement* const m_placement;
    bool m_placed = false;
};
