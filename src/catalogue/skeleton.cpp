#include "catalogue/skeleton.h"

const std::vector<std::pair<QString, QString>> &catalogueSkeleton() {
    static const std::vector<std::pair<QString, QString>> skeleton = {
        {QStringLiteral("史部"), QStringLiteral("正史|编年|野史|别史|地理|传记|杂史|史评|载记|政书|"
                                                "职官|目录|纪事本末|诏令奏议|志存记录")},
        {QStringLiteral("子部"), QStringLiteral("农家|兵家|法家|诸子|道释|算法|杂论|笔记|类书")},
        {QStringLiteral("集部"),
         QStringLiteral("总集|别集|诗话|词话|文评|小说|演义|话本|宝卷|谜语|笑话")},
        {QStringLiteral("诗部"), QStringLiteral("诗集|词集|剧曲|楚辞|汉赋|对联")},
        {QStringLiteral("儒部"),
         QStringLiteral("诗经|尚书|礼经|春秋|乐经|小学|四书|五经总义|孝经|语录|启蒙蒙学|修身治家")},
        {QStringLiteral("易部"),
         QStringLiteral(
             "易经|术数|奇门遁甲|八字预测|风水预测|六壬预测|六爻八卦|周易梅花|紫微斗数|相术其他")},
        {QStringLiteral("艺部"),
         QStringLiteral("书法|绘画|篆刻|音乐|综合|工艺|棋技|武术|草木鸟兽虫鱼|器物|饮馔")},
        {QStringLiteral("医部"),
         QStringLiteral("本草类|方药类|经论类|妇幼类|四诊类|各论类|其他医学")},
        {QStringLiteral("丛部"),
         QStringLiteral("白话二十四史|台湾文献丛刊|杂别|百强小说|经典散文|百家讲坛|红学|其他")},
        {QStringLiteral("道部"),
         QStringLiteral("洞神部|洞玄部|洞真部|太平部|太清部|太玄部|正一部|续道部|道别")},
        {QStringLiteral("佛部"),
         QStringLiteral("经藏|论藏|律藏|续藏|杂藏|续藏经|乾隆藏|嘉兴藏|藏外")},
    };
    return skeleton;
}

QStringList skeletonCategories(const QString &section) {
    for (const auto &[name, list] : catalogueSkeleton())
        if (name == section) return list.split(QLatin1Char('|'));
    return {};
}

bool isDaoFoSection(const QString &section) {
    return section == QStringLiteral("道部") || section == QStringLiteral("佛部");
}
