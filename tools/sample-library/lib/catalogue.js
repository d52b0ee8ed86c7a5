'use strict';

// The eleven sections of the catalogue and their sub-categories, in tree order.
// A book's "section" and "category" must be one of these names, exactly.
const SECTIONS = [
  ['史部', '正史|编年|野史|别史|地理|传记|杂史|史评|载记|政书|职官|目录|纪事本末|诏令奏议|志存记录'],
  ['子部', '农家|兵家|法家|诸子|道释|算法|杂论|笔记|类书'],
  ['集部', '总集|别集|诗话|词话|文评|小说|演义|话本|宝卷|谜语|笑话'],
  ['诗部', '诗集|词集|剧曲|楚辞|汉赋|对联'],
  ['儒部', '诗经|尚书|礼经|春秋|乐经|小学|四书|五经总义|孝经|语录|启蒙蒙学|修身治家'],
  ['易部', '易经|术数|奇门遁甲|八字预测|风水预测|六壬预测|六爻八卦|周易梅花|紫微斗数|相术其他'],
  ['艺部', '书法|绘画|篆刻|音乐|综合|工艺|棋技|武术|草木鸟兽虫鱼|器物|饮馔'],
  ['医部', '本草类|方药类|经论类|妇幼类|四诊类|各论类|其他医学'],
  ['丛部', '白话二十四史|台湾文献丛刊|杂别|百强小说|经典散文|百家讲坛|红学|其他'],
  ['道部', '洞神部|洞玄部|洞真部|太平部|太清部|太玄部|正一部|续道部|道别'],
  ['佛部', '经藏|论藏|律藏|续藏|杂藏|续藏经|乾隆藏|嘉兴藏|藏外'],
].map(([name, list]) => ({ name, categories: list.split('|') }));

const byName = new Map(SECTIONS.map((s) => [s.name, new Set(s.categories)]));

function isValidCategory(section, category) {
  const cats = byName.get(section);
  return cats !== undefined && cats.has(category);
}

module.exports = { SECTIONS, isValidCategory };
