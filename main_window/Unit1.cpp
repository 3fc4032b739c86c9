#include "Unit1.h"

#include "busy_cursor.h"
#include "design_font.h"
#include "error_box.h"
#include "jpeg_decoder.h"
#include "message_box.h"
#include "phrase_data/data_file.h"
#include "phrase_grid.h"
#include "radio_group.h"
#include "speech_player.h"
#include "speller_window.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>
#include <algorithm>
#include <array>

QByteArray DataFilePath;

using phrase_data::LanguageField;
using phrase_data::PhraseCatalogue;
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

// A menu or command that the program reaches by its designed name, which is also its object name.
struct DesignedMenu {
    QMenu* TForm1::*member;
    const char* name;
};
struct DesignedCommand {
    QAction* TForm1::*member;
    const char* name;
    void (TForm1::*handler)();
};
// Each designed name written once: the member, its object name and its handler follow from it.
#define DESIGNED_MENU(name) (DesignedMenu{&TForm1::name, #name})
#define DESIGNED_COMMAND(name) (DesignedCommand{&TForm1::name, #name, &TForm1::name##Click})

// The designed names of the menus made from the catalogue and of their commands, row for row;
// captions and fields are the catalogue's.
constexpr std::array ReferenceMenus{DESIGNED_MENU(Dicteng1), DESIGNED_MENU(N1)};
constexpr std::array ReferenceCommands{DESIGNED_COMMAND(Clock1),       DESIGNED_COMMAND(Days1),
                                       DESIGNED_COMMAND(ModalVerbs1),  DESIGNED_COMMAND(Dictionaries1),
                                       DESIGNED_COMMAND(SlangEngRus1), DESIGNED_COMMAND(ProverbsRusGer1),
                                       DESIGNED_COMMAND(SlangGerRus1)};
static_assert(ReferenceCommands.size() == PhraseCatalogue::ReferenceCount);

using LanguageCommands = std::array<DesignedCommand, PhraseCatalogue::LanguageCount>;
struct LanguageMenu {
    DesignedMenu menu;
    const char* title;
    LanguageCommands commands;
};
constexpr std::array LanguageMenus{
    LanguageMenu{DESIGNED_MENU(Left1), "Left",
                 LanguageCommands{DESIGNED_COMMAND(Rus2), DESIGNED_COMMAND(RusPhonetic2), DESIGNED_COMMAND(Eng2),
                                  DESIGNED_COMMAND(Ger1), DESIGNED_COMMAND(French2), DESIGNED_COMMAND(Italian1),
                                  DESIGNED_COMMAND(Spanish2), DESIGNED_COMMAND(Portuguese2),
                                  DESIGNED_COMMAND(Japanese2)}},
    LanguageMenu{DESIGNED_MENU(Right1), "Right",
                 LanguageCommands{DESIGNED_COMMAND(Rus3), DESIGNED_COMMAND(RusPhonetic1), DESIGNED_COMMAND(Eng3),
                                  DESIGNED_COMMAND(Ger2), DESIGNED_COMMAND(French1), DESIGNED_COMMAND(F1),
                                  DESIGNED_COMMAND(Spanish1), DESIGNED_COMMAND(Portuguese1),
                                  DESIGNED_COMMAND(Japanese1)}},
};

#undef DESIGNED_COMMAND
#undef DESIGNED_MENU

// The catalogue row a command was made from.
std::size_t catalogueRow(const QAction* command)
{
    return command->data().value<std::size_t>();
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
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarvolin - QZ7KV"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), -11));
    setBackgroundRole(QPalette::Button);
    resize(DesignWidth, DesignHeight);

    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
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
        QAction* action = parentMenu->addAction(QString::fromUtf8(title));
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

    // A command made from a catalogue row keeps the row; its handler reads the entry there.
    const auto catalogueCommand = [&](QMenu* parentMenu, const DesignedCommand& design, const char* caption,
                                      std::size_t row) {
        QAction* action = command(parentMenu, design.name, caption, design.handler);
        action->setData(QVariant::fromValue(row));
        this->*design.member = action;
    };

    // "Reference-eng" and "Dictionaries": a menu for each run of catalogue rows that name it.
    const auto references = PhraseCatalogue::references();
    std::size_t menus = 0;
    QMenu* parentMenu = nullptr;
    for (std::size_t row = 0; row < references.size(); ++row) {
        const phrase_data::ReferenceEntry& entry = references[row];
        if (!parentMenu || parentMenu->title() != QLatin1String(entry.menu)) {
            const DesignedMenu& design = ReferenceMenus.at(menus++);
            parentMenu = this->*design.member = menu(design.name, entry.menu);
        }
        catalogueCommand(parentMenu, ReferenceCommands[row], entry.caption, row);
    }

    // "Left" and "Right" hold the same commands: the catalogue's languages, in its order.
    const auto languages = PhraseCatalogue::languages();
    for (const LanguageMenu& side : LanguageMenus) {
        QMenu* sideMenu = this->*side.menu.member = menu(side.menu.name, side.title);
        for (std::size_t row = 0; row < languages.size(); ++row)
            catalogueCommand(sideMenu, side.commands[row], languages[row].caption, row);
    }

    m_phraseMenu = menu("PhraseMenu", "Phrase");
    m_phraseMenu->addSeparator();
    command(m_phraseMenu, "SayAction", "Say", &TForm1::SayClick)->setShortcut(Qt::Key_F5);
    command(m_phraseMenu, "SpellerAction", "Speller…", &TForm1::SpellerClick)->setShortcut(Qt::CTRL | Qt::Key_L);

    assignAccessKeys(bar->actions());
    for (QMenu* each : {Russia1, ime1, Dicteng1, N1, Left1, Right1, m_phraseMenu})
        assignAccessKeys(each->actions());
}

void TForm1::FormCreate()
{
    // Closing the main window, by Exit or by its close box, ends the program.
    setAttribute(Qt::WA_QuitOnClose, true);
}

void TForm1::setVisible(bool visible)
{
    const bool handOver = visible && isHidden();
    if (handOver && !m_placed) {
        // Outer size as designed, centred on the desktop.
        create();
        setOuterSize(DesignWidth, DesignHeight);
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect desktop = screen->availableGeometry();
            move(desktop.center() - QPoint(DesignWidth / 2, DesignHeight / 2));
        }
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
    // A size below zero shows the control collapsed; the grid follows the panel as sized.
    const QSize panel(std::max(0, w - r - 30), std::max(0, h - 90));
    GroupBox1->resize(panel.width(), GroupBox1->height());
    GroupBox2->resize(panel);
    DBGrid1->resize(std::max(0, panel.width() - 15), std::max(0, panel.height() - 30));
    applyWidthRule(WidthRule::HalfSplit);
    updateScrollExtent();
}

void TForm1::applyWidthRule(WidthRule rule)
{
    const int free = outerSize().width() - RadioGroup1->width() - 20;
    if (rule == WidthRule::HalfSplit) {
        for (int place = 0; place < GridColumnsModel::ColumnCount; ++place)
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

void TForm1::loadReference(const QAction* command)
{
    const phrase_data::ReferenceEntry& entry = PhraseCatalogue::references()[catalogueRow(command)];
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
    if (MessageBox::exec(box) == QMessageBox::Ok) close();
}

void TForm1::bindLanguage(int place, const QAction* command)
{
    DBGrid1->bindColumn(place, fieldName(PhraseCatalogue::languages()[catalogueRow(command)].field));
}

// One line each: the menu's commands read as a table.
// clang-format off
void TForm1::Clock1Click() { loadReference(Clock1); }
void TForm1::Days1Click() { loadReference(Days1); }
void TForm1::ModalVerbs1Click() { loadReference(ModalVerbs1); }
void TForm1::Dictionaries1Click() { loadReference(Dictionaries1); }
void TForm1::SlangEngRus1Click() { loadReference(SlangEngRus1); }
void TForm1::ProverbsRusGer1Click() { loadReference(ProverbsRusGer1); }
void TForm1::SlangGerRus1Click() { loadReference(SlangGerRus1); }

void TForm1::Rus2Click() { bindLanguage(LeftPlace, Rus2); }
void TForm1::RusPhonetic2Click() { bindLanguage(LeftPlace, RusPhonetic2); }
void TForm1::Eng2Click() { bindLanguage(LeftPlace, Eng2); }
void TForm1::Ger1Click() { bindLanguage(LeftPlace, Ger1); }
void TForm1::French2Click() { bindLanguage(LeftPlace, French2); }
void TForm1::Italian1Click() { bindLanguage(LeftPlace, Italian1); }
void TForm1::Spanish2Click() { bindLanguage(LeftPlace, Spanish2); }
void TForm1::Portuguese2Click() { bindLanguage(LeftPlace, Portuguese2); }
void TForm1::Japanese2Click() { bindLanguage(LeftPlace, Japanese2); }
void TForm1::Rus3Click() { bindLanguage(RightPlace, Rus3); }
void TForm1::RusPhonetic1Click() { bindLanguage(RightPlace, RusPhonetic1); }
void TForm1::Eng3Click() { bindLanguage(RightPlace, Eng3); }
void TForm1::Ger2Click() { bindLanguage(RightPlace, Ger2); }
void TForm1::French1Click() { bindLanguage(RightPlace, French1); }
void TForm1::F1Click() { bindLanguage(RightPlace, F1); }
void TForm1::Spanish1Click() { bindLanguage(RightPlace, Spanish1); }
void TForm1::Portuguese1Click() { bindLanguage(RightPlace, Portuguese1); }
void TForm1::Japanese1Click() { bindLanguage(RightPlace, Japanese1); }
// clang-format on

std::optional<TForm1::SpokenCell> TForm1::currentCell() const
{
    const QModelIndex current = DBGrid1->currentIndex();
    if (!current.isValid()) return std::nullopt;
    const int place = DBGrid1->horizontalHeader()->visualIndex(current.column());
    const auto field = PhraseCatalogue::field(DBGrid1->columnFieldName(place == RightPlace ? RightPlace : LeftPlace));
    if (!field) return std::nullopt;
    const auto cell = [&](LanguageField each) {
        const int column = DataSource1.fieldIndex(QLatin1String(PhraseCatalogue::fieldName(each)));
        return column < 0 ? QString() : DataSource1.text(current.row(), column);
    };
    const bool russian = *field == LanguageField::Rus || *field == LanguageField::RusP;
    return SpokenCell{*field, cell(russian ? LanguageField::Rus : *field),
                      russian ? cell(LanguageField::RusP) : QString()};
}

SpeechPlayer& TForm1::speechPlayer()
{
    if (m_speechPlayer == nullptr) {
        m_speechPlayer = new SpeechPlayer(this);
        connect(m_speechPlayer, &SpeechPlayer::failed, this,
                [this](const QString& message) { ErrorBox::show(message, this); });
    }
    return *m_speechPlayer;
}

void TForm1::SayClick()
{
    if (const auto cell = currentCell()) speechPlayer().say(cell->field, cell->text, cell->rusP);
}

void TForm1::SpellerClick()
{
    if (m_speller == nullptr) m_speller = new SpellerWindow(speechPlayer(), this);
    const auto left = PhraseCatalogue::field(DBGrid1->columnFieldName(LeftPlace));
    const auto right = PhraseCatalogue::field(DBGrid1->columnFieldName(RightPlace));
    m_speller->setLanguages(left.value_or(PhraseCatalogue::DefaultLeft), right.value_or(PhraseCatalogue::DefaultRight));
    m_speller->show();
    m_speller->raise();
    m_speller->activateWindow();
}
