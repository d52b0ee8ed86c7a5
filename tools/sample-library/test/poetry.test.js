'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const P = require('../lib/poetry');
const { poem } = require('../testing/fixtures');

const titles = (b) => b.chapters.map((c) => c.title);

test('poets of 全唐詩 get a book each, in order of their first poem, with the biography as note', () => {
  const poems = [
    poem('李白', '靜夜思', ['床前明月光，疑是地上霜。']),
    poem('杜甫', '春望', ['國破山河在，城春草木深。']),
    poem('杜甫', '佚題', []), // no text: left out
    poem('杜甫', '句', ['。']), // punctuation only: left out
    poem('李白', '', ['朝辭白帝彩雲間，千里江陵一日還。'], { notes: ['（一作早發白帝城）'] }),
    poem('光\t威\t裒', '聯句', ['朱樓影直日當午，']),
  ];
  const authors = [{ name: '李白', desc: '字太白。' }, { name: '杜甫', desc: '字子美。' }, { name: '杜甫', desc: '襄陽人。' }];
  const books = P.poetBooks(poems, authors, { dir: '集部/别集/1-全唐詩' });
  assert.deepEqual(books.map((b) => b.path), ['集部/别集/1-全唐詩/1-李白.book', '集部/别集/1-全唐詩/2-杜甫.book', '集部/别集/1-全唐詩/3-光_威_裒.book']);
  const [li, du, guang] = books;
  assert.deepEqual(li.header, { title: '李白詩集', section: '集部', category: '别集', author: '李白', note: '字太白。' });
  assert.deepEqual(titles(li), ['靜夜思', '朝辭白帝彩雲間']);
  assert.deepEqual(li.chapters[1].lines, ['朝辭白帝彩雲間，千里江陵一日還。', '[[[（一作早發白帝城）]]]']);
  assert.equal(du.header.note, '字子美。 襄陽人。');
  assert.deepEqual(titles(du), ['春望']);
  assert.equal(guang.header.title, '光 威 裒詩集');
  assert.equal(guang.header.note, undefined);
});

test('御定全唐詩 has a chapter per 卷; poems carry their title, the poet when it changes and the biography', () => {
  const book = P.yudingQuantangshi([
    [
      { title: '帝京篇', author: '李世民', biography: '帝姓李氏。', paragraphs: ['秦川雄帝宅，函谷壯皇居。'], notes: [''], volume: '卷一' },
      { title: '飲馬長城窟行', author: '李世民', biography: '', paragraphs: ['塞外悲風切。'], notes: ['一作某'], volume: '卷一' },
      { title: '守歲', author: '李治', biography: '', paragraphs: ['今宵冬律盡。'], notes: [''], volume: '卷一' },
    ],
    [{ title: '過溫湯', author: '李治', biography: '', paragraphs: ['溫渚停仙蹕。'], notes: [''], volume: '卷二' }],
  ]);
  assert.equal(book.path, '诗部/诗集/1-御定全唐詩.book');
  assert.deepEqual(book.header, { title: '御定全唐詩', section: '诗部', category: '诗集' });
  assert.deepEqual(titles(book), ['卷一', '卷二']);
  assert.deepEqual(book.chapters[0].lines, [
    '[[[帝京篇]]]', '[[[李世民]]]', '[[[帝姓李氏。]]]', '秦川雄帝宅，函谷壯皇居。', '',
    '[[[飲馬長城窟行]]]', '塞外悲風切。', '[[[一作某]]]', '',
    '[[[守歲]]]', '[[[李治]]]', '今宵冬律盡。',
  ]);
  // a new chapter names its first poet again
  assert.deepEqual(book.chapters[1].lines, ['[[[過溫湯]]]', '[[[李治]]]', '溫渚停仙蹕。']);
});

test('a 词 is titled "词牌·first clause"; the 词人 book has the biography and the prologue is set apart', () => {
  const cis = [
    { author: '苏轼', paragraphs: ['明月几时有？把酒问青天。'], rhythmic: '水调歌头' },
    { author: '苏轼', paragraphs: ['软草平莎过雨新。'], rhythmic: '浣溪沙', prologue: '徐州石潭谢雨。' },
    { author: '苏轼', paragraphs: ['照日深红暖见鱼。'], rhythmic: '浣溪沙' },
  ];
  const [book] = P.ciBooks(cis, [{ name: '苏轼', description: '--字子瞻。' }]);
  assert.equal(book.path, '诗部/词集/3-全宋词/1-苏轼.book');
  assert.deepEqual(book.header, { title: '苏轼词集', section: '诗部', category: '词集', author: '苏轼', note: '字子瞻。' });
  assert.deepEqual(titles(book), ['水调歌头·明月几时有', '浣溪沙·软草平莎过雨新', '浣溪沙·照日深红暖见鱼']);
  assert.deepEqual(book.chapters[1].lines, ['[[[徐州石潭谢雨。]]]', '软草平莎过雨新。']);
  assert.equal(P.ciTitle({ rhythmic: '', paragraphs: ['甲乙，丙'] }), '甲乙');
});

test('元曲: pieces of one play make one chapter, repeats of a tune join it, 《》 authors are one play', () => {
  const pieces = [
    { author: '关汉卿', title: '诈妮子调风月・仙吕/点绛唇', paragraphs: ['半世为人。'] },
    { author: '关汉卿', title: '诈妮子调风月・寄生草', paragraphs: ['诵的尧舜，（末云了）说的温良。'] },
    { author: '关汉卿', title: '幺篇', paragraphs: ['这书房存得阿马。'] },
    { author: '关汉卿', title: '中吕・朝天子书所见', paragraphs: ['鬓鸦，脸霞。'] },
    { author: '杨景贤', title: '仙吕/点绛唇', paragraphs: ['万里长江。'] },
    { author: '杨景贤', title: '混江龙', paragraphs: ['看奔流。'] },
    { author: '高明《蔡伯喈琵琶记》', title: '水调歌头', paragraphs: ['论传奇。'] },
    { author: '高明《蔡伯喈琵琶记》', title: '前腔', paragraphs: ['（末上）春风得意。'] },
    { author: '关汉卿', title: '双调・大德歌', paragraphs: ['子规啼。'] },
    { author: '关汉卿', title: '前腔・风流，恩情', paragraphs: ['雨散云收？'] },
    { author: '无名氏', title: '', paragraphs: ['。'] }, // no text
  ];
  const books = P.yuanquBooks(pieces);
  assert.deepEqual(books.map((b) => [b.path, b.header.title, b.header.author]), [
    ['诗部/剧曲/元曲/1-关汉卿.book', '关汉卿曲集', '关汉卿'],
    ['诗部/剧曲/元曲/2-杨景贤.book', '杨景贤曲集', '杨景贤'],
    ['诗部/剧曲/元曲/3-高明《蔡伯喈琵琶记》.book', '蔡伯喈琵琶记', '高明'],
  ]);
  const [guan, yang, gao] = books;
  assert.deepEqual(titles(guan), ['诈妮子调风月', '中吕・朝天子书所见', '双调']);
  assert.deepEqual(guan.chapters[0].lines, [
    '[[[仙吕/点绛唇]]]', '半世为人。', '',
    '[[[寄生草]]]', '诵的尧舜，[[[（末云了）]]]说的温良。', '',
    '[[[幺篇]]]', '这书房存得阿马。',
  ]);
  assert.deepEqual(guan.chapters[1].lines, ['鬓鸦，脸霞。']);
  assert.deepEqual(guan.chapters[2].lines, ['[[[大德歌]]]', '子规啼。', '', '[[[前腔・风流，恩情]]]', '雨散云收？']);
  assert.deepEqual(titles(yang), ['仙吕/点绛唇']);
  assert.deepEqual(yang.chapters[0].lines, ['[[[仙吕/点绛唇]]]', '万里长江。', '', '[[[混江龙]]]', '看奔流。']);
  assert.deepEqual(titles(gao), ['蔡伯喈琵琶记']);
  assert.deepEqual(gao.chapters[0].lines, ['[[[水调歌头]]]', '论传奇。', '', '[[[前腔]]]', '[[[（末上）]]]春风得意。']);
});

test('花间集: the preface with its notes set apart, then 卷一…卷十 in order', () => {
  const pre = [{ notes: ['1.欧陽炯--五代词人。'], paragraphs: ['欧陽炯[1]撰'], author: '赵崇祚', title: '花间集' }];
  const poemOf = (title, author) => ({ title, author, paragraphs: [title + '文'], notes: [] });
  const book = P.huajianji(pre, [
    [10, [poemOf('杨柳枝', '和凝')]],
    [1, [poemOf('菩萨蛮 其一', '温庭筠'), { ...poemOf('菩萨蛮 其二', '温庭筠'), notes: ['1.注'] }, poemOf('浣溪沙', '韦庄')]],
    [2, [poemOf('更漏子', '温庭筠')]],
  ]);
  assert.deepEqual(book.header, { title: '花间集', section: '诗部', category: '词集', author: '赵崇祚' });
  assert.deepEqual(titles(book), ['序', '卷一', '卷二', '卷十']);
  assert.deepEqual(book.chapters[0].lines, ['欧陽炯[1]撰', '', '[[[1.欧陽炯--五代词人。]]]']);
  assert.deepEqual(book.chapters[1].lines, [
    '[[[菩萨蛮 其一]]]', '[[[温庭筠]]]', '菩萨蛮 其一文', '',
    '[[[菩萨蛮 其二]]]', '菩萨蛮 其二文', '[[[1.注]]]', '',
    '[[[浣溪沙]]]', '[[[韦庄]]]', '浣溪沙文',
  ]);
});

test('南唐二主词: each poet\'s biography chapter comes before the poet\'s 词', () => {
  const book = P.nantang({ title: '南唐二主词', desc: ['系李璟、李煜撰。', '流传甚广。'] },
    [{ name: '李璟', desc: '南唐中主。\n好读书。' }, { name: '李煜', desc: '南唐后主。' }],
    [
      { author: '李璟', title: '应天长·一钩初月临妆镜', paragraphs: ['一钩初月临妆镜'], notes: ['初月--新月。'] },
      { author: '李煜', title: '虞美人·春花秋月何时了', paragraphs: ['春花秋月何时了'], notes: [] },
    ]);
  assert.deepEqual(book.header, { title: '南唐二主词', section: '诗部', category: '词集', author: '李璟、李煜', note: '系李璟、李煜撰。 流传甚广。' });
  assert.deepEqual(titles(book), ['李璟', '应天长·一钩初月临妆镜', '李煜', '虞美人·春花秋月何时了']);
  assert.deepEqual(book.chapters[0].lines, ['南唐中主。', '好读书。']);
  assert.deepEqual(book.chapters[1].lines, ['[[[李璟]]]', '一钩初月临妆镜', '[[[初月--新月。]]]']);
});

test('anthologies open each poem with the poet; 唐詩三百首 uses the sub-title where there is one', () => {
  const t = P.tangshi300({
    title: '唐詩三百首',
    content: [{ type: '五言絕句', content: [
      { chapter: '行宮', subchapter: null, author: '元稹', paragraphs: ['寥落古行宮。'] },
      { chapter: '雜詩', subchapter: '雜詩三首·其二', author: '王維', paragraphs: ['君自故鄉來。'] },
    ] }],
  });
  assert.equal(t.path, '诗部/诗集/2-唐詩三百首.book');
  assert.deepEqual(titles(t), ['行宮', '雜詩三首·其二']);
  assert.deepEqual(t.chapters[1].lines, ['[[[王維]]]', '君自故鄉來。']);

  const q = P.qianjiashi({ title: '千家詩', author: '南宋謝枋得/明代王相', content: [{ type: '五言絕句', content: [{ chapter: '春眠', author: '（唐）孟浩然', paragraphs: ['春眠不覺曉。'] }] }] });
  assert.equal(q.path, '诗部/诗集/3-千家詩.book');
  assert.equal(q.header.author, '南宋謝枋得/明代王相');
  assert.deepEqual(q.chapters[0].lines, ['[[[（唐）孟浩然]]]', '春眠不覺曉。']);

  const s = P.shuimotangshi([{ author: '刘禹锡', title: '蜀先主庙', paragraphs: ['天地英雄气。'], prologue: '此诗歌颂了刘备。' }]);
  assert.deepEqual(s.chapters[0].lines, ['[[[刘禹锡]]]', '[[[此诗歌颂了刘备。]]]', '天地英雄气。']);

  const c = P.songci300([{ author: '黄孝迈', paragraphs: ['近清明。'], rhythmic: '湘春夜月' }]);
  assert.deepEqual(c.chapters, [{ title: '湘春夜月·近清明', lines: ['[[[黄孝迈]]]', '近清明。'] }]);
});

test('楚辞, 诗经, 古文觀止 and 幽梦影 set apart what their sources keep apart', () => {
  const chu = P.chuci([
    { title: '离骚', section: '离骚', author: '屈原', content: ['帝高阳之苗裔兮。'] },
    { title: '东皇太一', section: '九歌', author: '屈原', content: ['吉日兮辰良。'] },
  ]);
  assert.deepEqual(titles(chu), ['离骚', '九歌·东皇太一']);
  assert.deepEqual(chu.chapters[1].lines, ['[[[屈原]]]', '吉日兮辰良。']);

  const shi = P.shijing([{ title: '关雎', chapter: '国风', section: '周南', content: ['关关雎鸠，在河之洲。'] }]);
  assert.deepEqual(shi.chapters, [{ title: '关雎', lines: ['[[[国风·周南]]]', '关关雎鸠，在河之洲。'] }]);
  assert.deepEqual([shi.header.section, shi.header.category], ['儒部', '诗经']);

  const gw = P.guwenguanzhi({
    title: '古文觀止', abstract: ['選本。', '222篇。'],
    content: [{ title: '卷一・周文', content: [{ chapter: '鄭伯克段於鄢', source: '《左傳》', author: '先秦：左丘明 ', paragraphs: ['初，鄭武公娶於申。'] }] }],
  });
  assert.deepEqual(gw.header, { title: '古文觀止', section: '集部', category: '总集', note: '選本。 222篇。' });
  assert.deepEqual(gw.chapters, [{ title: '鄭伯克段於鄢', lines: ['[[[《左傳》\u3000先秦：左丘明]]]', '初，鄭武公娶於申。'] }]);

  const ym = P.youmengying([
    { content: '读经宜冬。', comment: ['曹秋岳曰：可想。', '庞笔奴曰：无时不宜。'] },
    { content: '经传宜独坐读。', comment: [] },
  ]);
  assert.deepEqual([ym.header.section, ym.header.category], ['子部', '笔记']);
  assert.deepEqual(ym.chapters, [{ title: '幽梦影', lines: ['读经宜冬。', '[[[曹秋岳曰：可想。]]]', '[[[庞笔奴曰：无时不宜。]]]', '', '经传宜独坐读。'] }]);
});

test('蒙学 books in each of the package\'s shapes', () => {
  const flat = P.mengxueBook({ title: '朱子家訓', author: '朱柏廬', paragraphs: ['黎明即起。'] }, '儒部/修身治家/朱子家訓.book', '儒部', '修身治家');
  assert.deepEqual(flat.chapters, [{ title: '朱子家訓', lines: ['黎明即起。'] }]);
  assert.deepEqual(flat.header, { title: '朱子家訓', section: '儒部', category: '修身治家', author: '朱柏廬' });

  const chaptered = P.mengxueBook({ title: '弟子規', author: '李毓秀', content: [{ chapter: '總敘', paragraphs: ['弟子規'] }, { chapter: '入則孝', paragraphs: ['父母呼'] }] }, 'a.book');
  assert.deepEqual(titles(chaptered), ['總敘', '入則孝']);
  assert.deepEqual([chaptered.header.section, chaptered.header.category], ['儒部', '启蒙蒙学']);

  // chapter names that recur in two 卷 get the 卷 in front
  const nested = P.mengxueBook({
    title: '聲律啓蒙', author: '車萬育', abstract: '訓練兒童應對。',
    content: [
      { title: '上卷', content: [{ chapter: '一 東', paragraphs: ['雲對雨。'] }, { chapter: '二 冬', paragraphs: ['春對夏。'] }] },
      { title: '下卷', content: [{ chapter: '一 東', paragraphs: ['晴對雨。'] }] },
    ],
  }, '诗部/对联/聲律啓蒙.book', '诗部', '对联');
  assert.deepEqual(titles(nested), ['上卷·一 東', '二 冬', '下卷·一 東']);
  assert.equal(nested.header.note, '訓練兒童應對。');

  // an author field holding a biography: the name is the author, the biography the note
  const wz = P.mengxueBook({
    title: '文字蒙求', author: '王筠（1784-1854），字貫山，號菉友。', abstract: '包括純形。', preface: ['雪堂謂筠曰'],
    content: [{ title: '卷一', paragraphs: ['日●', '日中有黑影。'] }],
  }, 'b.book');
  assert.equal(wz.header.author, '王筠');
  assert.equal(wz.header.note, '王筠（1784-1854），字貫山，號菉友。 包括純形。');
  assert.deepEqual(titles(wz), ['序', '卷一']);
  assert.deepEqual(wz.chapters[0].lines, ['雪堂謂筠曰'], 'a preface that is a chapter of its own is not marked');

  const sz = P.sanzijing([
    { title: '三字經', author: '王應麟', tags: '傳統版', paragraphs: ['人之初，性本善。'] },
    { title: '三字經', author: '王應麟', tags: '新版', paragraphs: ['人之初。'] },
  ]);
  assert.deepEqual(titles(sz), ['傳統版', '新版']);
  assert.equal(sz.header.author, '王應麟');
});

test('every converter keeps the script of its source', () => {
  const simplified = P.caocao([{ title: '观沧海', paragraphs: ['东临碣石，以观沧海。'] }]);
  assert.deepEqual(simplified.header, { title: '曹操诗集', section: '集部', category: '别集', author: '曹操' });
  assert.deepEqual(simplified.chapters[0], { title: '观沧海', lines: ['东临碣石，以观沧海。'] });
  const nl = P.nalan('纳兰性德诗集', [{ title: '长相思·山一程', para: ['山一程，水一程'], author: '纳兰性德' }]);
  assert.deepEqual(nl.header, { title: '纳兰性德诗集', section: '诗部', category: '词集', author: '纳兰性德' });
  assert.deepEqual(nl.chapters[0].lines, ['山一程，水一程']);
});
