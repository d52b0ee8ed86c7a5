// Unit2: the main window — catalogue and result trees, the reader, the dictionary pane,
// the menus, the connections and the program-wide state.
#pragma once

#include "dataaccess/configuration.h"
#include "platform/dataaccess.h"
#include "platform/dialogs.h"
#include "platform/guard.h"
#include "platform/inifile.h"

#include <QMainWindow>
#include <QPointer>
#include <atomic>
#include <functional>
#include <thread>

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class TRichEdit;
class TTreeNode;
class TTreeView;
class ClickableLabel;
class TMemo;
class TForm3;
class Tffjzh;
class Ttts;
class Tgjso;
class TFindDialog;

// What the program entry hands to the main window.
struct FormOptions {
    bool onlineedition = false;
    Configuration config;
    QString settingsPath; // the settings file; see defaultSettingsPath()
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
};

class TForm2 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm2(const FormOptions &options, QWidget *parent = nullptr);
    ~TForm2() override;

    // ---- program-wide state ----
    bool onlineedition = false;
    QString siteurl;
    int curchapterid = 0;
    QString jiase;
    QString soci;
    bool applystyle = false;
    bool firstshown = false;
    bool nofodao = true;
    bool usekangxi = false;
    QString cidiantable;
    QString latestversion;

    const Configuration config;
    Dialogs &dialogs;
    Shell &shell;

    // ---- connections and shared queries ----
    TUniConnection ac1, ac2, ac4, acc, mysqla;
    TUniQuery q, q3;

    // ---- panes ----
    QWidget *Panel4 = nullptr; // catalogue pane
    QGroupBox *GroupBox1 = nullptr;
    TTreeView *TreeViewa = nullptr;
    TTreeView *TreeViewb = nullptr;
    ClickableLabel *Label3 = nullptr;
    ClickableLabel *StaticText1 = nullptr;
    QSplitter *Splitter3 = nullptr;
    QWidget *Panel5 = nullptr; // right-hand area
    QGroupBox *GroupBox2 = nullptr;
    TRichEdit *rc = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *Panel2 = nullptr; // dictionary pane
    TMemo *jsedit = nullptr;
    QWidget *Panel3 = nullptr; // status strip
    ClickableLabel *lwtxt = nullptr;
    ClickableLabel *Label1 = nullptr;

    // ---- menus ----
    QMenu *PopupMenu1 = nullptr; // dictionary pane
    QMenu *PopupMenu2 = nullptr; // reader
    QMenu *PopupMenu4 = nullptr; // trees
    QMenu *pf = nullptr;         // skins
    QMenu *openbm = nullptr;     // bookmarks
    QActionGroup *skinGroup = nullptr;
    // A menu item by its component name ("N31", "X1", "lastsee"); null when there is none.
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    // Ticks or unticks a menu item; ticking an item of a radio group unticks the others.
    // Clicking a tickable item does not tick it by itself: its command decides.
    void tick(QAction *item, bool on);
    bool ticked(const QString &name) const;

    // ---- dialogs ----
    // The font dialog opens with the reader's saved font and colour; the colour is also kept
    // as the settings file holds it, so an unchanged system colour stays one.
    FontChoice FontDialog1;
    qint32 FontDialog1StoredColor = qint32(0xFF000008u);
    TFindDialog *FindDialog1 = nullptr; // created on first use, modeless

    // ---- timers ----
    QTimer *Timer1 = nullptr; // 20 s: update check fetch
    QTimer *Timer2 = nullptr; // 400 ms: opens the splash (online edition)
    QTimer *Timer3 = nullptr; // 8 s: update check evaluation

    // ---- windows created after this one ----
    QPointer<TForm3> Form3;
    QPointer<Tffjzh> ffjzh;
    QPointer<Ttts> tts;
    QPointer<Tgjso> gjso;

    // ---- settings ----
    IniFile ini() const { return IniFile(settingsPath_); }
    const QString &settingsPath() const { return settingsPath_; }
    void writeini(const QString &key, const QString &value);

    // Runs a handler body through the one guard every handler goes through.
    bool guarded(OnError mode, const std::function<void()> &body);

    // ---- start-up, shown, exit ----
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Splitter3Moved();
    void N23Click();
    QString welcometext() const;

    // ---- background connect of the online edition ----
    // Clears the splash's state text and connects mysqla on a thread of its own; returns at
    // once. The thread hands "OK" or "Not" to this thread, which writes it into the splash's
    // `st`. Does nothing while an earlier connect still runs.
    void MySQLConnect();
    // True from MySQLConnect until its connect has succeeded or failed.
    bool serverConnectRunning() const { return connectRunning_.load(std::memory_order_acquire); }
    // A chapter request made while the connect still runs waits here for it (at most the
    // connect time-out, a few seconds), letting pending window messages run; its statement
    // then runs on mysqla as usual, which connects again if the background connect failed.
    void waitForServerConnect();

    // ---- catalogue tree ----
    void showtree(const QString &section, const QString &list);
    void loadtree();
    void TreeViewaExpanding(TTreeNode *node);
    void TreeViewbExpanding(TTreeNode *node);

    // ---- chapter reader ----
    void TreeViewaClick();
    void TreeViewbClick();
    void chazz(int n, int id);
    void chanr(int n, int id);
    void chanr2(int n, int id);
    void chanrlw(int n, int id);
    void chazmf(int id);
    void jialanse();
    void RearchAndReplace(const QString &search, const QString &replacement);

    // ---- display preferences ----
    void rcChange();
    void N33Click();
    void N37Click();
    void N35Click();
    void N36Click();
    void N76Click();
    void N75Click();

    // ---- skins ----
    void loadskin(const QString &name);
    void buildskinmenu();
    void changepf(QAction *sender);

    // ---- tree commands and find ----
    void N71Click();
    void N25Click();
    void N21Click();
    void N86Click();
    void Label3Click();
    void StaticText1Click();
    void TreeViewaKeyUp(int key);
    void TreeViewbKeyUp(int key);
    void TreeViewaMouseDown(Qt::MouseButton button, const QPoint &pos);
    void TreeViewbMouseDown(Qt::MouseButton button, const QPoint &pos);
    void N54Click();
    void N14Click();
    void FindDialog1Find();

    // ---- dictionaries ----
    // Shows the dictionary entry of `zi` (normally one character) in the pane.
    void chazi(const QString &zi);
    void N11Click();
    void N80Click();
    void N12Click();
    void N83Click();
    void N84Click();
    void N7Click();
    void N8Click();
    void N13Click();
    void jseditDblClick();
    void rcMouseUp();

    // ---- searches ----
    void X1Click();
    void Y1Click();
    void Z1Click();
    void N16Click();
    void N17Click();
    void N18Click();
    void N31Click();
    void N78Click();
    void N19Click();

    // ---- text tools ----
    void N26Click();
    void N27Click();
    void N70Click();
    void N47Click();
    void N48Click();
    void N57Click();
    void N58Click();
    void N59Click();
    void N50Click();
    void N61Click();
    void N52Click();
    void N53Click();
    void MP1Click();
    void N41Click();
    void N113Click();
    void N114Click();
    void N42Click();
    void N2Click();
    void N3Click();
    void N6Click();
    void C1Click();
    void A1Click();

    // ---- bookmarks and last read ----
    void setbookmark();
    void gotomark(QAction *sender);
    void N90Click();
    void N91Click();
    void N93Click();
    void N94Click();
    void lastseeClick();
    void savelastread();

    // ---- web links and update check ----
    void N87Click();
    void N118Click();
    void N119Click();
    void N120Click();
    void N124Click();
    void N125Click();
    void N130Click();
    void PDF1Click();
    void N132Click();
    void N99Click();
    void N100Click();
    void N101Click();
    void N102Click();
    void N104Click();
    void N106Click();
    void N107Click();
    void N108Click();
    void N109Click();
    void N110Click();
    void N112Click();
    void N64Click();
    void N65Click();
    void N121Click();
    void N69Click();
    void N73Click();
    void N40Click();
    void N96Click();
    void N45Click();
    void N67Click();
    void N43Click();
    void N62Click();
    void N5Click();
    void Label1Click();
    void lwtxtClick();
    void rcURLClick(const QString &url);

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildLayout();
    void buildMenus();
    void bindControls();
    void setupConnections();

    void showTicks();

    QString settingsPath_;
    QHash<QAction *, bool> ticks_;
    bool destroyed_ = false;

    // Ends with the window at the latest: FormDestroy waits for a connect still running, so
    // the thread never outlives mysqla or this window.
    void endServerConnect();
    std::atomic<bool> connectRunning_{false};
    std::jthread connectThread_;
};
