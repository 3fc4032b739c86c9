#include "Unit1.h"

#include "busy_cursor.h"
#include "design_font.h"
#include "dialog_button_order.h"
#include "error_box.h"
#include "frame_placement.h"
#include "jpeg_decoder.h"
#include "phrase_data/data_file.h"
#include "phrase_grid.h"
#include "radio_group.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QWindow>
#include <algorithm>

QByteArray DataFilePath;

using phrase_data::LanguageField;
using phrase_data::PhraseCatalogue;
using phrase_data::ReferenceCommand;
using phrase_data::WidthRule;

namespace {

constexpr int LeftPlace = 1;
constexpr int RightPlace = 2;
const QColor Maroon(0x80, 0x00, 0x00);

QString fieldName(LanguageField field)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(field));
}

// Gives each action of a list an access letter of its caption that no other in the list uses,
// as the platform the windows were designed for does by itself for captions without one.
void assignAccessKeys(const QList<QAction*>& actions)
{
    QString taken;
    for (QAction* action : actions) {
        QString caption = action->text();
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar letter = caption[i].toUpper();
            if (letter.isLetterOrNumber() && !taken.contains(letter)) {
                taken += letter;
                caption.insert(i, u'&');
                action->setText(caption);
                break;
            }
        }
    }
}

template <typename Widget> Widget* placed(Widget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}

QPushButton* textButton(const QString& caption, QWidget* parent, int left, const QFont& font)
{
    auto* button = placed(new QPushButton(caption, parent), left, 8, 75, 17);
    button->setFont(font);
    // Enter acts on the focused button as Space does, as on the platform the windows were
    // designed for; outside a dialog Qt leaves Enter to the window.
    button->setAutoDefault(true);
    return button;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
    , ADOTable1(ADOConnection1)
    , DataSource1(ADOTable1)
    , ScrollBox(new QScrollArea(this))
    , Client(new QWidget)
    , RadioGroup1(placed(new RadioGroup(Client), 8, 0, 153, 313))
    , GroupBox1(placed(new QGroupBox(Client), 168, 0, 665, 33))
    , Button7(textButton(QStringLiteral("A"), GroupBox1, 392, designFont(QStringLiteral("Verdana"), -13)))
    , Button6(textButton(QStringLiteral("a"), GroupBox1, 464, designFont(QStringLiteral("Verdana"), -13)))
    , Button1(textButton(QStringLiteral("A"), GroupBox1, 536,
                         designFont(QStringLiteral("MS Sans Serif"), -16, {.bold = true})))
    , GroupBox2(placed(new QGroupBox(Client), 168, 32, 769, 241))
    , DBGrid1(placed(new PhraseGrid(DataSource1, GroupBox2), 8, 24, 433, 265))
    , GroupBox3(placed(new QGroupBox(QStringLiteral("GroupBox3"), Client), 8, 320, 153, 153))
    , Image2(placed(new QLabel(GroupBox3), 0, 0, 153, 161))
    , m_placement(new FramePlacement(this, QSize(DesignWidth, DesignHeight)))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarvolin - QZ7KV"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), -11));
    setBackgroundRole(QPalette::Button);
    resize(DesignWidth, DesignHeight);

    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    // The scrolling is the window's own, not a control: Tab never stops on it.
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setWidget(Client);
    ScrollBox->setBackgroundRole(QPalette::Button);
    Client->setBackgroundRole(QPalette::Button);
    setCentralWidget(ScrollBox);

    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFont(designFont(QStringLiteral("Verdana"), -13));
    QStringList captions;
    for (const auto& topic : PhraseCatalogue::topics())
        captions << QString::fromLatin1(topic.caption);
    RadioGroup1->setItems(captions);

    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Button7->setObjectName(QStringLiteral("Button7"));
    Button6->setObjectName(QStringLiteral("Button6"));
    Button1->setObjectName(QStringLiteral("Button1"));
    setTabOrder(Button7, Button6);
    setTabOrder(Button6, Button1);

    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setTitle(QStringLiteral("   QZ7KV = www.qz7kv.example   "));
    GroupBox2->setFont(designFont(QStringLiteral("Comic Sans MS"), -13, {.bold = true, .italic = true}));
    QPalette caption = GroupBox2->palette();
    caption.setColor(QPalette::WindowText, Maroon);
    GroupBox2->setPalette(caption);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));

    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(QPixmap::fromImage(JpegDecoder::fromResource(QStringLiteral(":/assets/image2.jpg"))));

    buildMenu();
    // The chosen languages carry a check mark. The menus list the languages in the catalogue's
    // order, and the marks follow the fields the columns are bound to, however they were bound.
    for (QMenu* languageMenu : {Left1, Right1})
        for (QAction* language : languageMenu->actions())
            language->setCheckable(true);
    connect(DBGrid1->model(), &QAbstractItemModel::headerDataChanged, this, &TForm1::markLanguages);
    connect(DBGrid1->model(), &QAbstractItemModel::modelReset, this, &TForm1::markLanguages);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionMoved, this, &TForm1::markLanguages);
    markLanguages();
    // No minimum size: a window narrower than its controls shows them collapsed.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);

    connect(RadioGroup1, &RadioGroup::clicked, this, &TForm1::RadioGroup1Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    // With no topic marked, the keyboard focus starts on the "A" button.
    Button7->setFocus();
    FormCreate();
}

TForm1::~TForm1()
{
    // The grid reads through the data components: let it go first.
    delete ScrollBox;
}

void TForm1::buildMenu()
{
    QMenuBar* bar = menuBar();
    const auto menu = [&](const char* name, const char* title) {
        QMenu* item = bar->addMenu(QString::fromLatin1(title));
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    const auto command = [&](QMenu* parentMenu, const char* name, const char* title, void (TForm1::*handler)()) {
        QAction* action = parentMenu->addAction(QString::fromLatin1(title));
        action->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        else
            action->setEnabled(false);
        return action;
    };

    Russia1 = menu("Russia1", "Language");
    Eng1 = command(Russia1, "Eng1", "Eng", nullptr);
    Rus1 = command(Russia1, "Rus1", "Rus", nullptr);
    Exit1 = command(Russia1, "Exit1", "Exit", &TForm1::Exit1Click);

    ime1 = menu("ime1", "Time");
    ime1->setEnabled(false);
    ime1->menuAction()->setEnabled(false);

    Dicteng1 = menu("Dicteng1", "Reference-eng");
    Clock1 = command(Dicteng1, "Clock1", "Clock", &TForm1::Clock1Click);
    Days1 = command(Dicteng1, "Days1", "Days", &TForm1::Days1Click);
    ModalVerbs1 = command(Dicteng1, "ModalVerbs1", "Modal Verbs", &TForm1::ModalVerbs1Click);

    N1 = menu("N1", "Dictionaries");
    Dictionaries1 = command(N1, "Dictionaries1", "Proverbs Rus-Eng", &TForm1::Dictionaries1Click);
    SlangEngRus1 = command(N1, "SlangEngRus1", "Slang Eng-Rus", &TForm1::SlangEngRus1Click);
    ProverbsRusGer1 = command(N1, "ProverbsRusGer1", "Proverbs Rus-Ger", &TForm1::ProverbsRusGer1Click);
    SlangGerRus1 = command(N1, "SlangGerRus1", "Slang Ger-Rus", &TForm1::SlangGerRus1Click);

    Left1 = menu("Left1", "Left");
    Rus2 = command(Left1, "Rus2", "Russian", &TForm1::Rus2Click);
    RusPhonetic2 = command(Left1, "RusPhonetic2", "Rus (Phonetic)", &TForm1::RusPhonetic2Click);
    Eng2 = command(Left1, "Eng2", "English", &TForm1::Eng2Click);
    Ger1 = command(Left1, "Ger1", "German", &TForm1::Ger1Click);
    French2 = command(Left1, "French2", "French", &TForm1::French2Click);
    Italian1 = command(Left1, "Italian1", "Italian", &TForm1::Italian1Click);
    Spanish2 = command(Left1, "Spanish2", "Spanish", &TForm1::Spanish2Click);
    Portuguese2 = command(Left1, "Portuguese2", "Portuguese", &TForm1::Portuguese2Click);
    Japanese2 = command(Left1, "Japanese2", "Japanese", &TForm1::Japanese2Click);

    Right1 = menu("Right1", "Right");
    Rus3 = command(Right1, "Rus3", "Russian", &TForm1::Rus3Click);
    RusPhonetic1 = command(Right1, "RusPhonetic1", "Rus (Phonetic)", &TForm1::RusPhonetic1Click);
    Eng3 = command(Right1, "Eng3", "English", &TForm1::Eng3Click);
    Ger2 = command(Right1, "Ger2", "German", &TForm1::Ger2Click);
    French1 = command(Right1, "French1", "French", &TForm1::French1Click);
    F1 = command(Right1, "F1", "Italian", &TForm1::F1Click);
    Spanish1 = command(Right1, "Spanish1", "Spanish", &TForm1::Spanish1Click);
    Portuguese1 = command(Right1, "Portuguese1", "Portuguese", &TForm1::Portuguese1Click);
    Japanese1 = command(Right1, "Japanese1", "Japanese", &TForm1::Japanese1Click);

    m_phraseMenu = menu("PhraseMenu", "Phrase");

    assignAccessKeys(bar->actions());
    for (QMenu* each : {Russia1, ime1, Dicteng1, N1, Left1, Right1, m_phraseMenu})
        assignAccessKeys(each->actions());
}

void TForm1::FormCreate()
{
    // The main window stays hidden until the splash window hands over; nothing shows it before.
    setAttribute(Qt::WA_QuitOnClose, true);
}

void TForm1::setVisible(bool visible)
{
    const bool handOver = visible && isHidden();
    if (handOver && !m_placed) {
        // Outer size as designed, centred on the desktop.
        m_placement->place();
        m_placed = true;
    }
    QMainWindow::setVisible(visible);
    if (handOver) {
        // Showing the window from hidden is the hand-over from the splash window: the focus
        // passes to this window and its activation load runs before the showing returns.
        activateWindow();
        raise();
        FormActivate();
    }
}

QSize TForm1::outerSize() const
{
    return frameGeometry().size();
}

void TForm1::setOuterSize(int width, int height)
{
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    resize(width - frame.left() - frame.right(), height - frame.top() - frame.bottom());
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    const QSize outer = outerSize();
    const int w = outer.width();
    const int h = outer.height();
    const int r = RadioGroup1->width();
    const auto setSize = [](QWidget* widget, int width, int height) {
        widget->resize(std::max(0, width), std::max(0, height));
    };
    setSize(GroupBox2, GroupBox2->width(), h - 90);
    setSize(GroupBox1, w - r - 30, GroupBox1->height());
    setSize(GroupBox2, w - r - 30, GroupBox2->height());
    setSize(DBGrid1, GroupBox2->width() - 15, DBGrid1->height());
    setSize(DBGrid1, DBGrid1->width(), GroupBox2->height() - 30);
    applyWidthRule(WidthRule::HalfSplit);
    updateScrollExtent();
}

void TForm1::applyWidthRule(WidthRule rule)
{
    const int free = outerSize().width() - RadioGroup1->width() - 20;
    if (rule == WidthRule::HalfSplit) {
        for (int place = 0; place < PhraseGrid::ColumnCount; ++place)
            DBGrid1->setColumnWidthAt(place, free / 2);
    } else {
        DBGrid1->setColumnWidthAt(LeftPlace, free / 5);
        DBGrid1->setColumnWidthAt(RightPlace, free - free / 5);
    }
}

void TForm1::updateScrollExtent()
{
    // The window scrolls when its client area is smaller than what the controls occupy.
    QRect extent;
    for (const QWidget* control : {static_cast<QWidget*>(RadioGroup1), static_cast<QWidget*>(GroupBox1),
                                   static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(GroupBox3)})
        extent |= control->geometry();
    Client->setMinimumSize(extent.right() + 1, extent.bottom() + 1);
}

void TForm1::markLanguages()
{
    const auto languages = PhraseCatalogue::languages();
    for (const auto& [menu, place] : {std::pair{Left1, LeftPlace}, std::pair{Right1, RightPlace}}) {
        // The column takes over the name as the table writes it.
        const QString bound = DBGrid1->columnFieldName(place);
        const QList<QAction*> items = menu->actions();
        for (std::size_t i = 0; i < languages.size() && qsizetype(i) < items.size(); ++i)
            items[qsizetype(i)]->setChecked(bound.compare(fieldName(languages[i].field), Qt::CaseInsensitive) == 0);
    }
}

void TForm1::CloseDataFile()
{
    phrase_data::CloseDataFile(ADOConnection1);
}

void TForm1::LoadDataFile()
{
    phrase_data::LoadDataFile(ADOConnection1, ADOTable1, DataFilePath);
}

void TForm1::bindLanguages(LanguageField left, LanguageField right)
{
    DBGrid1->setColumnVisibleAt(0, false);
    DBGrid1->bindColumn(LeftPlace, fieldName(left));
    DBGrid1->bindColumn(RightPlace, fieldName(right));
}

void TForm1::FormActivate()
{
    ErrorBox::guard(
        [this] {
            bindLanguages(PhraseCatalogue::DefaultLeft, PhraseCatalogue::DefaultRight);
            DataFilePath = PhraseCatalogue::StartFile;
            LoadDataFile();
            DBGrid1->repaintGrid();
        },
        this);
}

void TForm1::RadioGroup1Click()
{
    ErrorBox::guard(
        [this] {
            CloseDataFile();
            if (const auto file = PhraseCatalogue::topicFile(RadioGroup1->itemIndex())) DataFilePath = *file;
            LoadDataFile();
            applyWidthRule(WidthRule::HalfSplit);
            bindLanguages(PhraseCatalogue::DefaultLeft, PhraseCatalogue::DefaultRight);
            DBGrid1->repaintGrid();
        },
        this);
}

void TForm1::loadReference(ReferenceCommand command)
{
    const phrase_data::ReferenceEntry& entry = PhraseCatalogue::reference(command);
    ErrorBox::guard(
        [&] {
            const BusyCursor busy;
            RadioGroup1->setItemIndex(-1);
            CloseDataFile();
            DataFilePath = entry.dataFile;
            LoadDataFile();
            applyWidthRule(entry.widthRule);
            bindLanguages(entry.leftField, entry.rightField);
            DBGrid1->repaintGrid();
        },
        this);
}

void TForm1::Button7Click()
{
    DBGrid1->setCellFont(DBGrid1->cellFontHeight() - 1, DBGrid1->cellFontBold());
}

void TForm1::Button6Click()
{
    DBGrid1->setCellFont(DBGrid1->cellFontHeight() + 1, DBGrid1->cellFontBold());
}

void TForm1::Button1Click()
{
    DBGrid1->setCellFont(DBGrid1->cellFontHeight(), !DBGrid1->cellFontBold());
}

void TForm1::Exit1Click()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Exit =Tarvolyn=?"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setObjectName(QStringLiteral("ExitBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    DialogButtonOrder::keepOkFirst(box);
    (new FramePlacement(&box))->place();
    if (box.exec() == QMessageBox::Ok)
        close();
    else
        activateWindow(); // the menu keys work again without a click
}

void TForm1::bindLanguage(int place, LanguageField field)
{
    DBGrid1->bindColumn(place, fieldName(field));
}

// One line each: the menu's commands read as a table.
// clang-format off
void TForm1::Clock1Click() { loadReference(ReferenceCommand::Clock); }
void TForm1::Days1Click() { loadReference(ReferenceCommand::Days); }
void TForm1::ModalVerbs1Click() { loadReference(ReferenceCommand::ModalVerbs); }
void TForm1::Dictionaries1Click() { loadReference(ReferenceCommand::ProverbsRusEng); }
void TForm1::SlangEngRus1Click() { loadReference(ReferenceCommand::SlangEngRus); }
void TForm1::ProverbsRusGer1Click() { loadReference(ReferenceCommand::ProverbsRusGer); }
void TForm1::SlangGerRus1Click() { loadReference(ReferenceCommand::SlangGerRus); }

void TForm1::Rus2Click() { bindLanguage(LeftPlace, LanguageField::Rus); }
void TForm1::RusPhonetic2Click() { bindLanguage(LeftPlace, LanguageField::RusP); }
void TForm1::Eng2Click() { bindLanguage(LeftPlace, LanguageField::Eng); }
void TForm1::Ger1Click() { bindLanguage(LeftPlace, LanguageField::Ger); }
void TForm1::French2Click() { bindLanguage(LeftPlace, LanguageField::Fren); }
void TForm1::Italian1Click() { bindLanguage(LeftPlace, LanguageField::Ital); }
void TForm1::Spanish2Click() { bindLanguage(LeftPlace, LanguageField::Span); }
void TForm1::Portuguese2Click() { bindLanguage(LeftPlace, LanguageField::Port); }
void TForm1::Japanese2Click() { bindLanguage(LeftPlace, LanguageField::Jap); }
void TForm1::Rus3Click() { bindLanguage(RightPlace, LanguageField::Rus); }
void TForm1::RusPhonetic1Click() { bindLanguage(RightPlace, LanguageField::RusP); }
void TForm1::Eng3Click() { bindLanguage(RightPlace, LanguageField::Eng); }
void TForm1::Ger2Click() { bindLanguage(RightPlace, LanguageField::Ger); }
void TForm1::French1Click() { bindLanguage(RightPlace, LanguageField::Fren); }
void TForm1::F1Click() { bindLanguage(RightPlace, LanguageField::Ital); }
void TForm1::Spanish1Click() { bindLanguage(RightPlace, LanguageField::Span); }
void TForm1::Portuguese1Click() { bindLanguage(RightPlace, LanguageField::Port); }
void TForm1::Japanese1Click() { bindLanguage(RightPlace, LanguageField::Jap); }
// clang-format on
