#include "app/Unit2.h"

#include "app/menus.h"
#include "app/settings.h"
#include "app/skins.h"
#include "catalogue/skeleton.h"
#include "platform/eventhook.h"
#include "platform/hostip.h"
#include "platform/richedit.h"
#include "platform/treeview.h"
#include "platform/widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QColor kLinkBlue(0, 0, 255);
} // namespace

TForm2::TForm2(const FormOptions &options, QWidget *parent)
    : QMainWindow(parent), config(options.config), dialogs(*options.dialogs), shell(*options.shell),
      settingsPath_(options.settingsPath.isEmpty() ? defaultSettingsPath() : options.settingsPath) {
    setObjectName(QStringLiteral("Form2"));
    onlineedition = options.onlineedition;
    q.Connection = &ac1;
    q3.Connection = &ac1;
    buildLayout();
    buildMenus();
    bindControls();
    Timer1 = new QTimer(this);
    Timer1->setInterval(20000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(400);
    Timer3 = new QTimer(this);
    Timer3->setInterval(8000);
    connect(Timer1, &QTimer::timeout, this,
            [this] { guarded(OnError::Silent, [this] { Timer1Timer(); }); });
    connect(Timer2, &QTimer::timeout, this,
            [this] { guarded(OnError::Report, [this] { Timer2Timer(); }); });
    connect(Timer3, &QTimer::timeout, this,
            [this] { guarded(OnError::Silent, [this] { Timer3Timer(); }); });
    Timer1->start(); // enabled at creation in both editions
    // Errors while creating the window reach the default error report; start-up goes on.
    guarded(OnError::Report, [this] { FormCreate(); });
}

TForm2::~TForm2() {
    FormDestroy();
}

bool TForm2::guarded(OnError mode, const std::function<void()> &body) {
    return runGuarded(dialogs, mode, body);
}

void TForm2::writeini(const QString &key, const QString &value) {
    // A failed write is not retried; what the window already shows stays for this run.
    ini().WriteString(kSettingsSection, key, value);
}

QAction *TForm2::action(const QString &name) const {
    return name.isEmpty() ? nullptr : findChild<QAction *>(name);
}

QMenu *TForm2::menu(const QString &name) const {
    return findChild<QMenu *>(name);
}

void TForm2::tick(QAction *item, bool on) {
    if (!item) return;
    if (!item->isCheckable()) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this] { showTicks(); });
    }
    if (on && item->actionGroup())
        for (QAction *other : item->actionGroup()->actions())
            ticks_[other] = false;
    ticks_[item] = on;
    showTicks();
}

bool TForm2::ticked(const QString &name) const {
    return ticks_.value(action(name), false);
}

void TForm2::showTicks() {
    // Ticked ones first, so an exclusive group never unticks what should stay ticked.
    for (auto it = ticks_.cbegin(); it != ticks_.cend(); ++it)
        if (it.value()) it.key()->setChecked(true);
    for (auto it = ticks_.cbegin(); it != ticks_.cend(); ++it)
        if (!it.value()) it.key()->setChecked(false);
}

void TForm2::buildLayout() {
    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Splitter3 = new QSplitter(Qt::Horizontal, central);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    Splitter3->setHandleWidth(4);
    Splitter3->setChildrenCollapsible(false);

    // Left: the catalogue pane with the two trees in the same place.
    Panel4 = new QWidget(Splitter3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto *left = new QVBoxLayout(Panel4);
    left->setContentsMargins(2, 2, 0, 2);
    GroupBox1 = new QGroupBox(QStringLiteral("浏览全部"), Panel4);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *trees = new QGridLayout(GroupBox1);
    trees->setContentsMargins(2, 6, 2, 2);
    TreeViewa = new TTreeView(GroupBox1);
    TreeViewa->setObjectName(QStringLiteral("TreeViewa"));
    TreeViewb = new TTreeView(GroupBox1);
    TreeViewb->setObjectName(QStringLiteral("TreeViewb"));
    trees->addWidget(TreeViewa, 0, 0);
    trees->addWidget(TreeViewb, 0, 0); // same place; only one is visible
    TreeViewb->SetVisible(false);
    left->addWidget(GroupBox1);
    // Label3 lies over the frame's caption, so clicking "浏览全部" browses the catalogue.
    Label3 = new ClickableLabel(GroupBox1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("切换浏览全部"));
    Label3->setCursor(Qt::PointingHandCursor);
    StaticText1 = new ClickableLabel(QStringLiteral("检索结果"), GroupBox1);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setToolTip(QStringLiteral("查看检索结果"));
    StaticText1->setCursor(Qt::PointingHandCursor);
    new EventHook(GroupBox1, QEvent::Resize, [this](QEvent *) {
        const int h = GroupBox1->fontMetrics().height() + 2;
        Label3->setGeometry(6, 0,
                            GroupBox1->fontMetrics().horizontalAdvance(GroupBox1->title()) + 12, h);
        StaticText1->adjustSize();
        StaticText1->move(GroupBox1->width() - StaticText1->width() - 6, 0);
        Label3->raise();
        StaticText1->raise();
        return false;
    });

    // Right: the reader and, beside it, the dictionary pane.
    Panel5 = new QWidget(Splitter3);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    auto *right = new QVBoxLayout(Panel5);
    right->setContentsMargins(0, 2, 2, 2);
    GroupBox2 = new QGroupBox(QStringLiteral("Kelvaro"), Panel5);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *readerBox = new QHBoxLayout(GroupBox2);
    readerBox->setContentsMargins(2, 6, 2, 2);
    Splitter1 = new QSplitter(Qt::Horizontal, GroupBox2);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    rc = new TRichEdit(Splitter1);
    rc->setObjectName(QStringLiteral("rc"));
    // Design font of the reader until the saved preferences are applied.
    QFont design(QStringLiteral("Tahoma"));
    design.setPixelSize(13);
    rc->setFont(design);
    Panel2 = new QWidget(Splitter1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *dict = new QVBoxLayout(Panel2);
    dict->setContentsMargins(0, 0, 0, 0);
    jsedit = new TMemo(Panel2);
    jsedit->setObjectName(QStringLiteral("jsedit"));
    jsedit->setReadOnly(true);
    jsedit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    dict->addWidget(jsedit);
    Splitter1->addWidget(rc);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    readerBox->addWidget(Splitter1);
    right->addWidget(GroupBox2);

    Splitter3->addWidget(Panel4);
    Splitter3->addWidget(Panel5);
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);
    outer->addWidget(Splitter3, 1);

    // Bottom: the status strip with the two link labels.
    Panel3 = new QWidget(central);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(25);
    auto *strip = new QHBoxLayout(Panel3);
    strip->setContentsMargins(6, 0, 6, 0);
    lwtxt = new ClickableLabel(Panel3);
    lwtxt->setObjectName(QStringLiteral("lwtxt"));
    QFont statusFont(QStringLiteral("新宋体"));
    statusFont.setPixelSize(13);
    lwtxt->setFont(statusFont);
    lwtxt->setFontColor(kLinkBlue);
    lwtxt->setCursor(Qt::PointingHandCursor);
    Label1 = new ClickableLabel(QStringLiteral("Kelvaro官网"), Panel3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFontColor(kLinkBlue);
    Label1->setCursor(Qt::PointingHandCursor);
    strip->addWidget(lwtxt, 1);
    strip->addWidget(Label1, 0, Qt::AlignRight);
    outer->addWidget(Panel3);

    setCentralWidget(central);
    resize(928, 557 + menuBar()->sizeHint().height());
    Splitter3->setSizes({202, 928 - 202 - 4});
    Splitter1->setSizes({928 - 202 - 4 - 166 - 5 - 12, 166});
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm2::buildMenus() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    QHash<QString, QMenu *> menus{
        {"PopupMenu1", PopupMenu1}, {"PopupMenu2", PopupMenu2}, {"PopupMenu4", PopupMenu4}};
    QHash<int, QActionGroup *> groups;
    for (const MenuEntry &entry : menuTable()) {
        const QString name = QString::fromUtf8(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        const QString parentName = QString::fromUtf8(entry.parent);
        QMenu *parentMenu = menus.value(parentName);
        if (entry.kind == MenuEntry::Submenu) {
            QMenu *sub = parentName == QLatin1String("MainMenu1") ? menuBar()->addMenu(caption)
                                                                  : parentMenu->addMenu(caption);
            sub->setObjectName(name);
            sub->menuAction()->setObjectName(name);
            menus.insert(name, sub);
            continue;
        }
        if (entry.kind == MenuEntry::Separator) {
            parentMenu->addSeparator();
            continue;
        }
        QAction *item = parentMenu->addAction(caption);
        item->setObjectName(name);
        if (entry.checkable) {
            item->setCheckable(true);
            ticks_.insert(item, entry.checked);
            // Qt ticks a checkable item when clicked; the command decides instead.
            connect(item, &QAction::triggered, this, [this] { showTicks(); });
        }
        if (entry.radioGroup) {
            QActionGroup *&group = groups[entry.radioGroup];
            if (!group) {
                group = new QActionGroup(this);
                group->setExclusive(true);
            }
            group->addAction(item);
        }
        if (entry.handler) {
            const auto handler = entry.handler;
            connect(item, &QAction::triggered, this, [this, handler] {
                guarded(OnError::Report, [this, handler] { (this->*handler)(); });
            });
        }
    }
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    showTicks();
    pf = menus.value(QStringLiteral("pf"));
    openbm = menus.value(QStringLiteral("openbm"));
}

void TForm2::bindControls() {
    TreeViewa->OnExpanding = [this](TTreeNode *node) {
        guarded(OnError::Report, [&] { TreeViewaExpanding(node); });
    };
    TreeViewb->OnExpanding = [this](TTreeNode *node) {
        guarded(OnError::Report, [&] { TreeViewbExpanding(node); });
    };
    connect(TreeViewa, &QTreeWidget::itemClicked, this,
            [this] { guarded(OnError::Silent, [this] { TreeViewaClick(); }); });
    connect(TreeViewb, &QTreeWidget::itemClicked, this,
            [this] { guarded(OnError::Silent, [this] { TreeViewbClick(); }); });
    const auto hookTree = [this](TTreeView *tree, void (TForm2::*keyUp)(int),
                                 void (TForm2::*mouseDown)(Qt::MouseButton, const QPoint &)) {
        new EventHook(tree, QEvent::KeyRelease, [this, keyUp](QEvent *e) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            guarded(OnError::Report, [&] { (this->*keyUp)(key); });
            return false;
        });
        new EventHook(tree->viewport(), QEvent::MouseButtonPress, [this, mouseDown](QEvent *e) {
            const auto *m = static_cast<QMouseEvent *>(e);
            const Qt::MouseButton button = m->button();
            const QPoint pos = m->position().toPoint();
            // After the view's own handling, so the node under the pointer is already current.
            QTimer::singleShot(0, this, [this, mouseDown, button, pos] {
                guarded(OnError::Report, [&] { (this->*mouseDown)(button, pos); });
            });
            return false;
        });
    };
    hookTree(TreeViewa, &TForm2::TreeViewaKeyUp, &TForm2::TreeViewaMouseDown);
    hookTree(TreeViewb, &TForm2::TreeViewbKeyUp, &TForm2::TreeViewbMouseDown);

    connect(rc, &TRichEdit::Change, this,
            [this] { guarded(OnError::Report, [this] { rcChange(); }); });
    connect(rc, &TRichEdit::URLClick, this, [this](const QString &url) {
        guarded(OnError::Report, [this, &url] { rcURLClick(url); });
    });
    rc->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rc, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu2->popup(rc->viewport()->mapToGlobal(p)); });
    new EventHook(rc->viewport(), QEvent::MouseButtonRelease, [this](QEvent *) {
        QTimer::singleShot(0, this, [this] { guarded(OnError::Silent, [this] { rcMouseUp(); }); });
        return false;
    });
    jsedit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(jsedit, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(jsedit->viewport()->mapToGlobal(p)); });
    new EventHook(jsedit->viewport(), QEvent::MouseButtonDblClick, [this](QEvent *) {
        QTimer::singleShot(0, this,
                           [this] { guarded(OnError::Report, [this] { jseditDblClick(); }); });
        return false;
    });

    connect(Label3, &ClickableLabel::clicked, this,
            [this] { guarded(OnError::Report, [this] { Label3Click(); }); });
    connect(StaticText1, &ClickableLabel::clicked, this,
            [this] { guarded(OnError::Report, [this] { StaticText1Click(); }); });
    connect(Label1, &ClickableLabel::clicked, this,
            [this] { guarded(OnError::Report, [this] { Label1Click(); }); });
    connect(lwtxt, &ClickableLabel::clicked, this,
            [this] { guarded(OnError::Report, [this] { lwtxtClick(); }); });
    connect(Splitter3, &QSplitter::splitterMoved, this,
            [this] { guarded(OnError::Report, [this] { Splitter3Moved(); }); });
}

void TForm2::setupConnections() {
    for (TUniConnection *c : {&ac1, &ac2, &ac4}) {
        c->ProviderName = QStringLiteral("SQLite");
        c->SpecificOptions.insert(QStringLiteral("SQLite.Direct"), QStringLiteral("True"));
    }
    ac1.Database = QStringLiteral("wxlb.dbx");
    acc.ProviderName = QStringLiteral("Access");
    acc.Database = QStringLiteral("kxzd.dbx");
    acc.SpecificOptions.insert(QStringLiteral("Access.UseUnicode"), QStringLiteral("True"));
    mysqla.ProviderName = QStringLiteral("MySQL");
    mysqla.Port = config.serverPort;
    mysqla.SpecificOptions.insert(QStringLiteral("MySQL.UseUnicode"), QStringLiteral("True"));

    // Page encryption of the catalogue (key 1) and of the second text database (key 2).
    for (TUniConnection *c : {&ac1, &ac4})
        c->SpecificOptions.insert(QStringLiteral("EncryptionAlgorithm"),
                                  QStringLiteral("leAES256"));
    ac1.SpecificOptions.insert(QStringLiteral("EncryptionKey"), config.key1());
    ac4.SpecificOptions.insert(QStringLiteral("EncryptionKey"), config.key2());
}

void TForm2::FormCreate() {
    siteurl = config.productSite;
    jiase.clear();
    applystyle = false;
    TreeViewb->setGeometry(TreeViewa->geometry());

    const IniFile settings = ini();
    const QString skin =
        settings.ReadString(kSettingsSection, QStringLiteral("皮肤"), kBuiltInSkin);
    if (skin != kBuiltInSkin) loadskin(skin);
    buildskinmenu();
    if (settings.ReadBool(kSettingsSection, QStringLiteral("隐藏字典"), false)) N35Click();
    if (settings.ReadBool(kSettingsSection, QStringLiteral("隐藏目录"), false)) N36Click();
    nofodao = settings.ReadBool(kSettingsSection, QStringLiteral("不查佛道"), true);
    tick(action(QStringLiteral("N78")), nofodao);
    soci = settings.ReadString(kSettingsSection, QStringLiteral("最后检索"), QString());
    usekangxi = settings.ReadBool(kSettingsSection, QStringLiteral("康熙字典"), false);
    if (usekangxi) {
        tick(action(QStringLiteral("N84")), true);
        tick(action(QStringLiteral("N83")), false);
    }

    for (const auto &[section, list] : catalogueSkeleton())
        showtree(section, list);
    // With the skeleton just built these are 诗部, 集部, 子部 and 史部.
    for (int position : {73, 50, 31, 0})
        if (TTreeNode *node = TreeViewa->Items(position)) node->Expand();

    setupConnections();
    firstshown = false;
    if (onlineedition) {
        mysqla.Server = hostip(config.serverHost);
        mysqla.Username = config.serverUser();
        mysqla.Password = config.serverPassword();
        mysqla.Database = config.serverDatabase();
        cidiantable = QStringLiteral("cidian");
    } else {
        cidiantable = QStringLiteral("ncidian");
        ac2.Database = QStringLiteral("kelva.dbx");
        ac4.Database = QStringLiteral("kelva2.dbx");
    }

    // The stored result of the last search stays one click away; the catalogue is shown.
    try {
        loadtree();
    } catch (...) {
        TreeViewb->SetVisible(false);
        TreeViewa->SetVisible(true);
        throw;
    }
    TreeViewa->SetVisible(true);
    TreeViewb->SetVisible(false);

    setWindowTitle(QStringLiteral("Kelvaro  (24亿字2万种图书28万卷)  V3.2"));
    lwtxt->setText(QStringLiteral("Kelvaro，24亿字2万种图书28万卷"));
    action(QStringLiteral("N40"))->setText(QStringLiteral("关于Kelvaro"));
}

void TForm2::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    guarded(OnError::Report, [this] { FormShow(); });
}

QString TForm2::welcometext() const {
    const QString crlf = QStringLiteral("\r\n");
    const QStringList paragraphs = {
        QStringLiteral(
            "《Kelvaro》集成古典图书[[[2万种28万卷约24亿字，数据库大小6.5G纯文字]]]"
            "，费时五年整理编写而成。Kelvaro分为史、子、集、诗、儒、易、艺、医、丛、道、佛11大部，"
            "基本上囊括了中国常见的古代图书，是目前网上收录古典文学作品最全最多的图书集成。"),
        QStringLiteral(
            "《Kelvaro》不仅收录了《四库全书》，还收录了《古今图书集成》和《永乐大典》、《台湾文献"
            "丛刊》等大型图书集；同时还支持全文检索和作品名、作者及卷标等多种检索方式。"),
        QStringLiteral("另外《Kelvaro》自带[[[古文字典、康熙字典、新华字典和汉语词典]]]"
                       "，方便阅读古文。双击单个字或选中划词可快速查询该字词在字典词典中的详细解释"
                       "。[[[朗读功能可全文朗读或输出成MP3]]]。"),
        QStringLiteral("《Kelvaro》分为联网版和离线版同时上线，[[[完全离线版6.5G，联网版38M]]]"
                       "，两种版本图书是一致的。[[["
                       "联网版数据库不在本地，所以不能进行离线检索、全文检索和单字检索，检索时需要"
                       "联网；离线版完全可以在断网时使用和检索。]]]"
                       "联网版携带方便，划词解释功能自带的汉语词典只有6万条常用词汇，而离线版的汉语"
                       "词典词条是40万。"),
    };
    return paragraphs.join(crlf + crlf) + crlf + crlf + crlf + QStringLiteral("官方网站： ") +
           config.productSite + crlf + QStringLiteral("官方QQ群：") + config.qqGroup +
           QStringLiteral("　　邮箱：") + config.email + crlf + QStringLiteral("联系作者QQ：") +
           config.authorQQ;
}

void TForm2::FormShow() {
    if (firstshown) return;
    firstshown = true;
    jsedit->SetText(QStringLiteral(
        "\r\n在左边框内双击某个字，可快速查询该字的古义解释和新华字典解释。\r\n\r\n选中词语可查询该"
        "词条在汉语词典中的解释。\r\n\r\n拖动左边边框可改变查询框的大小。"));
    rc->SetText(welcometext());
    jialanse();
    setbookmark();
    applystyle = true;
    if (onlineedition) {
        MySQLConnect();
        Timer2->start();
    }
}

void TForm2::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    guarded(OnError::Silent, [this] { savelastread(); });
    endServerConnect();
    // Closing the server connection at exit; in the offline edition it was never opened.
    guarded(OnError::Silent, [this] { mysqla.SetConnected(false); });
}

void TForm2::N23Click() {
    QApplication::quit();
}

void TForm2::closeEvent(QCloseEvent *event) {
    // Closing the main window ends the program, whatever tool window is still open.
    QMainWindow::closeEvent(event);
    QApplication::quit();
}

void TForm2::Splitter3Moved() {
    if (Panel5->width() < Panel2->width() + 50) {
        const int total = Splitter3->width() - Splitter3->handleWidth();
        const int right = Panel2->width() + 50;
        Splitter3->setSizes({std::max(0, total - right), right});
    }
}
