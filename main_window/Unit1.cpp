#include "Unit1.h"

#include "busy_cursor.h"
#include "contact_blanks.h"
#include "contact_panel.h"
#include "design_font.h"
#include "dialog_button_order.h"
#include "error_box.h"
#include "frame_placement.h"
#include "jpeg_decoder.h"
#include "message_box.h"
#include "phrase_commands.h"
#include "phrase_data/data_file.h"
#include "phrase_data/data_folder.h"
#include "phrase_data/my_phrase_file.h"
#include "phrase_grid.h"
#include "radio_group.h"
#include "station/profile_store.h"
#include "station_dialog.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <tuple>

QByteArray DataFilePath;

using phrase_data::LanguageField;
using phrase_data::MyPhraseFile;
using phrase_data::PhraseCatalogue;
using phrase_data::WidthRule;

namespace {

const QColor Maroon(0x80, 0x00, 0x00);
const QString MyPhrasesCaption = QStringLiteral("My phrases");

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

using LanguageCommands = std::array<DesignedCommand, phrase_data::LanguageFieldCount>;
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
    , ScrollBox(std::make_unique<QScrollArea>(this))
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
    , m_blanks(new ContactBlanks(this))
    , m_commands(std::make_unique<PhraseCommands>(*this))
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
    setCentralWidget(ScrollBox.get());

    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFont(designFont(QStringLiteral("Verdana"), -13));
    QStringList captions;
    for (const auto& topic : PhraseCatalogue::topics())
        captions << QString::fromLatin1(topic.caption);
    RadioGroup1->setItems(captions);
    RadioGroup1->setAccessibleName(QStringLiteral("Topics"));
    // The topics from anywhere in the program, marked or not.
    auto* topics = new QAction(RadioGroup1->accessibleName(), this);
    topics->setObjectName(QStringLiteral("TopicsAction"));
    topics->setShortcut(Qt::CTRL | Qt::Key_T);
    topics->setShortcutContext(Qt::ApplicationShortcut);
    connect(topics, &QAction::triggered, this, [this] {
        raise();
        activateWindow();
        RadioGroup1->focusItem();
    });
    addAction(topics);

    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Button7->setObjectName(QStringLiteral("Button7"));
    Button6->setObjectName(QStringLiteral("Button6"));
    Button1->setObjectName(QStringLiteral("Button1"));
    setTabOrder(Button7, Button6);
    setTabOrder(Button6, Button1);
    // The captions stay as designed; a screen reader hears what the buttons do, and the
    // keyboard has them too.
    for (const auto& [button, name, keys] :
         {std::tuple{Button7, "Larger text", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
          std::tuple{Button6, "Smaller text", QKeySequence(Qt::CTRL | Qt::Key_Minus)},
          std::tuple{Button1, "Bold text", QKeySequence(Qt::CTRL | Qt::Key_B)}}) {
        button->setAccessibleName(QString::fromLatin1(name));
        auto* press = new QAction(button->accessibleName(), this);
        press->setShortcut(keys);
        connect(press, &QAction::triggered, button, &QPushButton::click);
        addAction(press);
    }

    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setTitle(QStringLiteral("   QZ7KV = www.qz7kv.example   "));
    GroupBox2->setFont(designFont(QStringLiteral("Comic Sans MS"), -13, {.bold = true, .italic = true}));
    QPalette caption = GroupBox2->palette();
    caption.setColor(QPalette::WindowText, Maroon);
    GroupBox2->setPalette(caption);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    // The grid is named by what it shows; every list loaded resets its model.
    connect(DBGrid1->model(), &QAbstractItemModel::modelReset, this,
            [this] { DBGrid1->setAccessibleName(shownCaption()); });

    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(QStringLiteral("A globe with a radio mast sending waves"));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(QPixmap::fromImage(JpegDecoder::fromResource(QStringLiteral(":/assets/image2.jpg"))));

    m_profileStore = std::make_unique<station::ProfileStore>();
    m_blanks->setProfile(m_profileStore->profile());
    DBGrid1->setBlanks(*m_blanks);
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
    connect(DBGrid1, &PhraseGrid::activated, this, &TForm1::PhraseCardClick);

    // With no topic marked, the keyboard focus starts on the "A" button.
    Button7->setFocus();
    FormCreate();
}

TForm1::~TForm1() = default;

QByteArray TForm1::myPhrasesDataPath()
{
    return QFile::encodeName(QString::fromStdString(MyPhraseFile::defaultPath().string()));
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
    command(m_phraseMenu, "FindAction", "Find…", &TForm1::FindClick)->setShortcut(Qt::CTRL | Qt::Key_F);
    command(m_phraseMenu, "PhraseCardAction", "Phrase card", &TForm1::PhraseCardClick)
        ->setShortcut(Qt::CTRL | Qt::Key_K);
    m_phraseMenu->addSeparator();
    command(m_phraseMenu, "SayAction", "Say", &TForm1::SayClick)->setShortcut(Qt::Key_F5);
    command(m_phraseMenu, "SpellerAction", "Speller…", &TForm1::SpellerClick)->setShortcut(Qt::CTRL | Qt::Key_L);
    const auto shortcut = [](QAction* action, const QKeySequence& keys) {
        action->setShortcut(keys);
        return action;
    };
    m_phraseMenu->addSeparator();
    shortcut(command(m_phraseMenu, "MyPhrasesAction", "My phrases", &TForm1::MyPhrasesClick), Qt::CTRL | Qt::Key_M);
    m_addPhrase = shortcut(command(m_phraseMenu, "AddPhraseAction", "Add phrase…", &TForm1::AddPhraseClick),
                           Qt::CTRL | Qt::Key_N);
    m_editPhrase =
        shortcut(command(m_phraseMenu, "EditPhraseAction", "Edit phrase…", &TForm1::EditPhraseClick), Qt::Key_F2);
    m_deletePhrase = shortcut(command(m_phraseMenu, "DeletePhraseAction", "Delete phrase", &TForm1::DeletePhraseClick),
                              Qt::CTRL | Qt::Key_Delete);
    m_addToMyPhrases =
        shortcut(command(m_phraseMenu, "AddToMyPhrasesAction", "Add to my phrases", &TForm1::AddToMyPhrasesClick),
                 Qt::CTRL | Qt::Key_D);
    command(m_phraseMenu, "RestoreBackupAction", "Restore a backup…", &TForm1::RestoreBackupClick);
    m_phraseMenu->addSeparator();
    shortcut(command(m_phraseMenu, "PrintAction", "Print…", &TForm1::PrintClick), Qt::CTRL | Qt::Key_P);
    shortcut(command(m_phraseMenu, "ExportPdfAction", "Export PDF…", &TForm1::ExportPdfClick), Qt::CTRL | Qt::Key_E);
    m_phraseMenu->addSeparator();
    command(m_phraseMenu, "MyStationAction", "My station…", &TForm1::MyStationClick);
    shortcut(command(m_phraseMenu, "ContactPanelAction", "Contact panel", &TForm1::ContactPanelClick),
             Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    m_keepLanguagePair =
        command(m_phraseMenu, "KeepLanguagePairAction", "Keep the language pair", &TForm1::KeepLanguagePairClick);
    m_keepLanguagePair->setCheckable(true);
    m_keepLanguagePair->setChecked(m_profileStore->keepLanguagePair());
    // The reason a command is off shows as its tip.
    m_phraseMenu->setToolTipsVisible(true);
    connect(m_phraseMenu, &QMenu::aboutToShow, this, &TForm1::updatePhraseCommands);
    // Through the commands, which go first: a grid or table going away says nothing to this window.
    const auto update = [this] { updatePhraseCommands(); };
    connect(&ADOTable1, &phrase_data::AdoTable::changed, m_commands.get(), update);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, m_commands.get(), update);

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
        for (const GridPlace place : GridPlaces)
            DBGrid1->setColumnWidthAt(place, free / 2);
    } else {
        DBGrid1->setColumnWidthAt(GridPlace::Left, free / 5);
        DBGrid1->setColumnWidthAt(GridPlace::Right, free - free / 5);
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
    for (const auto& [menu, place] : {std::pair{Left1, GridPlace::Left}, std::pair{Right1, GridPlace::Right}}) {
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
    // "Keep the language pair": the user's two languages stay where the designed Rus/Eng would return.
    if (m_keepLanguagePair->isChecked() && left == PhraseCatalogue::DefaultLeft &&
        right == PhraseCatalogue::DefaultRight) {
        left = PhraseCatalogue::field(DBGrid1->columnFieldName(GridPlace::Left)).value_or(left);
        right = PhraseCatalogue::field(DBGrid1->columnFieldName(GridPlace::Right)).value_or(right);
    }
    DBGrid1->setColumnVisibleAt(GridPlace::Hidden, false);
    DBGrid1->bindColumn(GridPlace::Left, fieldName(left));
    DBGrid1->bindColumn(GridPlace::Right, fieldName(right));
}

void TForm1::FormActivate()
{
    ErrorBox::guard(
        [this] {
            bindLanguages(PhraseCatalogue::DefaultLeft, PhraseCatalogue::DefaultRight);
            DataFilePath = PhraseCatalogue::StartFile;
            // Started away from its data: one box that names the folder, rather than the start file's.
            if (const QString missing = phrase_data::DataFolder::missingMessage(); !missing.isEmpty())
                throw std::runtime_error(missing.toStdString());
            LoadDataFile();
            DBGrid1->repaintGrid();
        },
        this);
    // Settings that could not be read leave the profile empty; the program goes on and says why.
    if (const auto& problem = m_profileStore->problem())
        QTimer::singleShot(0, this, [this, message = *problem] { ErrorBox::show(message, this); });
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
    DialogButtonOrder::keepOkFirst(box);
    (new FramePlacement(&box))->place();
    if (MessageBox::exec(box) == QMessageBox::Ok)
        close();
    else
        activateWindow(); // the menu keys work again without a click
}

void TForm1::showFoundRow(const QString& path, int row)
{
    const QByteArray file = path.toLocal8Bit();
    const auto topics = PhraseCatalogue::topics();
    const auto references = PhraseCatalogue::references();
    const auto isFile = [&](const char* dataFile) { return file == dataFile; };
    const auto topic = std::ranges::find_if(topics, isFile, &phrase_data::TopicEntry::dataFile);
    const auto reference = std::ranges::find_if(references, isFile, &phrase_data::ReferenceEntry::dataFile);
    if (topic != topics.end()) {
        RadioGroup1->setItemIndex(int(topic - topics.begin()));
        RadioGroup1Click();
    } else if (reference != references.end()) {
        (this->*ReferenceCommands[std::size_t(reference - references.begin())].member)->trigger();
    } else if (file == myPhrasesDataPath()) {
        MyPhrasesClick();
    } else {
        return;
    }
    DBGrid1->showRow(row);
    // The keyboard lands on the found row, so that it is read.
    raise();
    activateWindow();
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TForm1::bindLanguage(GridPlace place, const QAction* command)
{
    DBGrid1->bindColumn(place, fieldName(PhraseCatalogue::languages()[catalogueRow(command)].field));
}

bool TForm1::showingMyPhrases() const
{
    return DataFilePath == myPhrasesDataPath();
}

QString TForm1::shownCaption() const
{
    if (showingMyPhrases()) return MyPhrasesCaption;
    for (const auto& topic : PhraseCatalogue::topics())
        if (DataFilePath == topic.dataFile) return QString::fromLatin1(topic.caption);
    for (const auto& entry : PhraseCatalogue::references())
        if (DataFilePath == entry.dataFile) return QString::fromLatin1(entry.caption);
    return {};
}

void TForm1::updatePhraseCommands()
{
    const QString readOnly = m_commands->myPhrasesReadOnlyReason();
    const bool editable = readOnly.isEmpty();
    const bool onRow = DBGrid1->currentIndex().isValid();
    m_addPhrase->setEnabled(editable);
    m_editPhrase->setEnabled(editable && onRow && showingMyPhrases());
    m_deletePhrase->setEnabled(editable && onRow && showingMyPhrases());
    m_addToMyPhrases->setEnabled(editable && onRow);
    const QString tip = editable ? QString() : QStringLiteral("My phrases are read-only here: %1").arg(readOnly);
    for (QAction* action : {m_addPhrase, m_editPhrase, m_deletePhrase, m_addToMyPhrases}) {
        action->setToolTip(tip); // empty: the caption again
        action->setStatusTip(tip);
    }
}

void TForm1::showMyPhrases()
{
    const BusyCursor busy;
    RadioGroup1->setItemIndex(-1);
    CloseDataFile();
    DataFilePath = myPhrasesDataPath();
    // Until the first save there is no file, and the list shows empty.
    if (QFile::exists(QFile::decodeName(DataFilePath))) LoadDataFile();
    applyWidthRule(WidthRule::HalfSplit);
    bindLanguages(PhraseCatalogue::DefaultLeft, PhraseCatalogue::DefaultRight);
    DBGrid1->repaintGrid();
    updatePhraseCommands();
}

void TForm1::reloadMyPhrases(int row)
{
    // The file was replaced: the open one is the old.
    CloseDataFile();
    LoadDataFile();
    if (row >= 0) DBGrid1->setCurrentIndex(DBGrid1->model()->index(row, DBGrid1->logicalAt(GridPlace::Left)));
    DBGrid1->repaintGrid();
}

FindWindow* TForm1::findWindow() const
{
    return m_commands->findWindow();
}

PhraseCard* TForm1::phraseCard() const
{
    return m_commands->phraseCard();
}

SpellerWindow* TForm1::spellerWindow() const
{
    return m_commands->spellerWindow();
}

SpeechPlayer& TForm1::speechPlayer()
{
    return m_commands->speechPlayer();
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

void TForm1::Rus2Click() { bindLanguage(GridPlace::Left, Rus2); }
void TForm1::RusPhonetic2Click() { bindLanguage(GridPlace::Left, RusPhonetic2); }
void TForm1::Eng2Click() { bindLanguage(GridPlace::Left, Eng2); }
void TForm1::Ger1Click() { bindLanguage(GridPlace::Left, Ger1); }
void TForm1::French2Click() { bindLanguage(GridPlace::Left, French2); }
void TForm1::Italian1Click() { bindLanguage(GridPlace::Left, Italian1); }
void TForm1::Spanish2Click() { bindLanguage(GridPlace::Left, Spanish2); }
void TForm1::Portuguese2Click() { bindLanguage(GridPlace::Left, Portuguese2); }
void TForm1::Japanese2Click() { bindLanguage(GridPlace::Left, Japanese2); }
void TForm1::Rus3Click() { bindLanguage(GridPlace::Right, Rus3); }
void TForm1::RusPhonetic1Click() { bindLanguage(GridPlace::Right, RusPhonetic1); }
void TForm1::Eng3Click() { bindLanguage(GridPlace::Right, Eng3); }
void TForm1::Ger2Click() { bindLanguage(GridPlace::Right, Ger2); }
void TForm1::French1Click() { bindLanguage(GridPlace::Right, French1); }
void TForm1::F1Click() { bindLanguage(GridPlace::Right, F1); }
void TForm1::Spanish1Click() { bindLanguage(GridPlace::Right, Spanish1); }
void TForm1::Portuguese1Click() { bindLanguage(GridPlace::Right, Portuguese1); }
void TForm1::Japanese1Click() { bindLanguage(GridPlace::Right, Japanese1); }

void TForm1::FindClick() { m_commands->find(); }
void TForm1::PhraseCardClick() { m_commands->showPhraseCard(); }
void TForm1::SayClick() { m_commands->say(); }
void TForm1::SpellerClick() { m_commands->showSpeller(); }
void TForm1::MyPhrasesClick() { m_commands->openMyPhrases(); }
void TForm1::AddPhraseClick() { m_commands->addPhrase(); }
void TForm1::EditPhraseClick() { m_commands->editPhrase(); }
void TForm1::DeletePhraseClick() { m_commands->deletePhrase(); }
void TForm1::AddToMyPhrasesClick() { m_commands->addToMyPhrases(); }
void TForm1::RestoreBackupClick() { m_commands->restoreBackup(); }
void TForm1::PrintClick() { m_commands->print(); }
void TForm1::ExportPdfClick() { m_commands->exportPdf(); }
// clang-format on

void TForm1::MyStationClick()
{
    StationDialog dialog(*m_profileStore, this);
    if (dialog.run() != QDialog::Accepted) return;
    m_blanks->setProfile(m_profileStore->profile());
    // The path to the other station starts from the locator just saved.
    if (m_contactPanel) m_contactPanel->profileChanged();
}

void TForm1::ContactPanelClick()
{
    if (!m_contactPanel) {
        m_contactPanel = std::make_unique<ContactPanel>(*m_profileStore, *m_blanks, this);
        connect(m_contactPanel.get(), &ContactPanel::languageChosen, this,
                [this](LanguageField field) { DBGrid1->bindColumn(GridPlace::Right, fieldName(field)); });
    }
    m_contactPanel->show();
    m_contactPanel->raise();
    m_contactPanel->activateWindow();
}

void TForm1::KeepLanguagePairClick()
{
    ErrorBox::guard([this] { m_profileStore->setKeepLanguagePair(m_keepLanguagePair->isChecked()); }, this);
    m_keepLanguagePair->setChecked(m_profileStore->keepLanguagePair());
}
