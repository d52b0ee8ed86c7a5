#include "support/fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

struct Expected {
    const char *menu;                                         // component name of the menu
    std::vector<std::pair<const char *, const char *>> items; // component, caption, in order
};

// The menus as the program has always had them (separators aside).
const Expected kMenus[] = {
    {"N22",
     {{"N41", "复制全文"},
      {"N54", "文中查找"},
      {"N113", "导出全文"},
      {"N71", "浏览全部"},
      {"N42", "打印全文"},
      {"N23", "退出程序"}}},
    {"N29",
     {{"X1", "查作品集名称(&X)"},
      {"Y1", "查编纂者姓名(&Y)"},
      {"Z1", "查卷章节标题(&Z)"},
      {"N31", "查内容(全文检索)"},
      {"N78", "不检索[佛道]部分"}}},
    {"N24", {{"N26", "转为繁体"}, {"N27", "转为简体"}, {"N25", "查看原文"}, {"N70", "转换工具"}}},
    {"N46",
     {{"N47", "朗读全文"},
      {"N48", "朗读所选"},
      {"N57", "停止朗读"},
      {"N58", "暂停朗读"},
      {"N59", "继续朗读"},
      {"MP1", "全文导成MP3"},
      {"N50", "语音引擎设置"},
      {"N61", "不能发音修复"}}},
    {"N10",
     {{"N11", "查古文字典"},
      {"N80", "查康熙字典"},
      {"N12", "查新华字典"},
      {"N13", "查汉语词典"},
      {"N82", "选字查询设置"},
      {"N87", "《新华字典》"},
      {"N118", "《汉语大词典》"},
      {"N119", "《成语词典》"},
      {"N120", "《康熙字典》"},
      {"N124", "《说文解字》"},
      {"N125", "《异体字字典》"}}},
    {"N82", {{"N83", "古文字典+新华字典"}, {"N84", "古文字典+康熙字典"}}},
    {"N89",
     {{"N90", "添加书签"},
      {"N91", "删除书签"},
      {"N93", "清空书签"},
      {"lastsee", "末次浏览"},
      {"openbm", "打开书签"}}},
    {"N126", {{"N130", "图片版"}, {"PDF1", "影印版"}, {"N132", "文字版"}, {"N98", "影印古籍 "}}},
    {"N98",
     {{"N99", "经部"}, {"N100", "史部"}, {"N101", "子部"}, {"N102", "集部"}, {"N104", "四库之外"}}},
    {"N105",
     {{"N106", "搜 百度网盘"},
      {"N107", "搜 115 网盘"},
      {"N108", "搜 新浪微盘"},
      {"N109", "搜 华为网盘"},
      {"N110", "搜 城通网盘"},
      {"N112", "网盘搜索首页"}}},
    {"N63",
     {{"N64", "上传书籍"},
      {"N65", "纠错当前卷"},
      {"N121", "写评论心得"},
      {"N69", "反馈好建议"},
      {"N73", "支持下作者"}}},
    {"N32",
     {{"N33", "字体设置"},
      {"N37", "背景色设置"},
      {"pf", "皮肤 设置"},
      {"N35", "隐藏字典栏"},
      {"N36", "隐藏目录栏"},
      {"N76", "安装正黑字体"},
      {"N75", "恢复默认设置"}}},
    {"N38",
     {{"N40", "关于Kelvaro"},
      {"N96", "常见问题诊断"},
      {"N45", "检查最新版本"},
      {"N67", "查看更新日志"},
      {"N43", "访问官方网站"},
      {"N62", "访问官方论坛"}}},
    {"PopupMenu2",
     {{"N2", "复制(&C)"},
      {"N3", "全选(&A)"},
      {"N6", "复制全文"},
      {"N53", "朗读所选"},
      {"N52", "朗读全文"},
      {"N94", "加入书签"},
      {"N14", "文中查找"},
      {"N5", "联网查看"},
      {"N16", "查作品(&X)"},
      {"N17", "查作者(&Y)"},
      {"N18", "查卷标(&Z)"},
      {"N19", "全文检索"}}},
    {"PopupMenu1", {{"C1", "复制(&C)"}, {"A1", "全选(&A)"}, {"N7", "查汉字"}, {"N8", "查词语"}}},
    {"PopupMenu4",
     {{"N21", "关闭节点"},
      {"N86", "复制节点"},
      {"N114", "导出全文"},
      {"N115", "导入书籍"},
      {"N116", "删除书籍"}}},
};

class MenuTest : public KelvaroTest {};

TEST_F(MenuTest, EveryMenuHasItsItemsWithExactCaptionsInOrder) {
    TForm2 &f = makeForm();
    QStringList top;
    for (QAction *a : f.menuBar()->actions())
        top << a->objectName() + QLatin1Char(' ') + a->text();
    EXPECT_EQ(top, QStringList({"N22 文件编辑", "N29 高级检索", "N24 繁简转换", "N46 朗读功能",
                                "N10 字典词典", "N89 书签管理", "N126 四库全书", "N105 网盘搜索",
                                "N63 上传纠错", "N32 软件设置", "N38 关于软件"}));
    for (const Expected &m : kMenus) {
        SCOPED_TRACE(m.menu);
        QMenu *menu = f.menu(QString::fromUtf8(m.menu));
        ASSERT_NE(menu, nullptr);
        QStringList actual, expected;
        for (QAction *a : menu->actions())
            if (!a->isSeparator()) actual << a->objectName() + QLatin1Char(' ') + a->text();
        for (const auto &[name, caption] : m.items)
            expected << QString::fromUtf8(name) + QLatin1Char(' ') + QString::fromUtf8(caption);
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(MenuTest, TicksAndRadioGroupsStartAsDesigned) {
    TForm2 &f = makeForm();
    EXPECT_TRUE(f.action("N78")->isChecked()); // 不查佛道 defaults to true
    EXPECT_TRUE(f.action("N83")->isChecked());
    EXPECT_FALSE(f.action("N84")->isChecked());
    EXPECT_EQ(f.action("N83")->actionGroup(), f.action("N84")->actionGroup());
    EXPECT_FALSE(f.action("N35")->isChecked());
    EXPECT_FALSE(f.action("N36")->isChecked());

    QStringList skins;
    for (QAction *a : f.pf->actions()) {
        skins << a->text();
        EXPECT_EQ(a->isChecked(), a->text() == "Cyan Night") << a->text().toStdString();
    }
    EXPECT_EQ(skins.size(), 17);
    EXPECT_EQ(skins.first(), "Amethyst Kamri");
    EXPECT_EQ(skins.last(), "Smokey Quartz Kamri");
}

TEST_F(MenuTest, ClickingATickableItemLeavesTheTickToItsCommand) {
    TForm2 &f = makeForm();
    f.action("N35")->trigger(); // 隐藏字典栏
    EXPECT_TRUE(f.action("N35")->isChecked());
    EXPECT_TRUE(f.Panel2->isHidden());
    f.action("N35")->trigger();
    EXPECT_FALSE(f.action("N35")->isChecked());
    EXPECT_FALSE(f.Panel2->isHidden());
    EXPECT_EQ(IniFile(settingsPath()).ReadString("Kelvaro", "隐藏字典", ""), "0");
}

} // namespace
