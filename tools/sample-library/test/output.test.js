'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { BookWriter, bodyText, countCharacters, tsvValue, writeTsv } = require('../lib/output');
const { SECTIONS, isValidCategory } = require('../lib/catalogue');
const { tmpdir, parseBook } = require('../testing/fixtures');

const header = (extra = {}) => ({ title: '李白詩集', section: '集部', category: '别集', ...extra });

test('the catalogue has eleven sections with the sub-category counts of the tree', () => {
  assert.deepEqual(SECTIONS.map((s) => s.name), ['史部', '子部', '集部', '诗部', '儒部', '易部', '艺部', '医部', '丛部', '道部', '佛部']);
  assert.deepEqual(SECTIONS.map((s) => s.categories.length), [15, 9, 11, 6, 12, 10, 11, 7, 8, 9, 9]);
  // 1 + 15*2 + ... : the flat skeleton has 225 nodes
  assert.equal(SECTIONS.reduce((n, s) => n + 1 + 2 * s.categories.length, 0), 225);
  assert.ok(isValidCategory('诗部', '剧曲'));
  assert.ok(!isValidCategory('诗部', '别集'));
  assert.ok(!isValidCategory('詩部', '詩集'));
});

test('a book file has its header, then one "## " line per chapter', (t) => {
  const root = tmpdir(t);
  const w = new BookWriter(root);
  w.write({
    path: '集部/别集/0001-李白.book',
    header: header({ author: '李白', note: '字太白。' }),
    chapters: [
      { title: '靜夜思', lines: ['', '床前明月光，疑是地上霜。', '舉頭望明月，低頭思故鄉。', ''] },
      { title: '  早發白帝城 ', lines: ['朝辭白帝彩雲間，', '[[[一作早發白帝城]]]'] },
      { title: '芙蓉古丈夫　毛女\t其一', lines: ['文'] },
    ],
  });
  const text = fs.readFileSync(path.join(root, 'books', '集部/别集/0001-李白.book'), 'utf8');
  assert.equal(text, 'title: 李白詩集\nauthor: 李白\nnote: 字太白。\nsection: 集部\ncategory: 别集\n\n'
    + '## 靜夜思\n床前明月光，疑是地上霜。\n舉頭望明月，低頭思故鄉。\n\n'
    + '## 早發白帝城\n朝辭白帝彩雲間，\n[[[一作早發白帝城]]]\n\n'
    + '## 芙蓉古丈夫　毛女 其一\n文\n');
  assert.deepEqual([w.books, w.chapters], [1, 3]);
  assert.equal(w.characters, 24 + 8 + 7 + 1);
  assert.deepEqual(w.bySection.get('集部/别集'), { books: 1, chapters: 3, characters: 40 });
  const parsed = parseBook(text);
  assert.equal(parsed.header.note, '字太白。');
});

test('empty optional header values are left out and empty chapters dropped', (t) => {
  const root = tmpdir(t);
  const w = new BookWriter(root);
  w.write({ path: 'a.book', header: header({ author: '', note: null }), chapters: [{ title: '甲', lines: ['', ' '] }, { title: '乙', lines: ['文'] }] });
  assert.equal(fs.readFileSync(path.join(root, 'books', 'a.book'), 'utf8'), 'title: 李白詩集\nsection: 集部\ncategory: 别集\n\n## 乙\n文\n');
  assert.equal(w.chapters, 1);
});

test('bad books are refused with the book named', (t) => {
  const root = tmpdir(t);
  const w = new BookWriter(root);
  const ok = [{ title: '甲', lines: ['文'] }];
  const cases = [
    [{ path: 'x.book', header: header({ section: '集部', category: '诗集' }), chapters: ok }, /x\.book: "集部\/诗集" is not a section/],
    [{ path: 'x.book', header: header({ section: '詩部', category: '詩集' }), chapters: ok }, /not a section and sub-category/],
    [{ path: 'x.book', header: header({ title: '' }), chapters: ok }, /x\.book: missing title/],
    [{ path: 'x.book', header: header({ zmf: '1' , extra: 'y' }), chapters: ok }, /unknown header key "extra"/],
    [{ path: 'x.book', header: header(), chapters: [{ title: '甲', lines: [''] }] }, /x\.book: no chapter/],
    [{ path: 'x.book', header: header(), chapters: [{ title: ' ', lines: ['文'] }] }, /chapter without title/],
    [{ path: 'x.book', header: header({ note: '甲\n乙' }), chapters: ok }, /line break/],
    [{ path: 'x.book', header: header(), chapters: [{ title: '甲', lines: ['[[[注'] }] }, /unbalanced highlight markers in chapter "甲"/],
    [{ path: 'x.txt', header: header(), chapters: ok }, /must end in "\.book"/],
  ];
  for (const [book, re] of cases) assert.throws(() => w.write(book), re);
  assert.equal(w.books, 0);
  assert.equal(fs.existsSync(path.join(root, 'books')), false, 'a refused book leaves no file');
  w.write({ path: 'x.book', header: header(), chapters: ok });
  assert.throws(() => w.write({ path: 'x.book', header: header(), chapters: ok }), /written twice/);
});

test('body lines that start with "## " are escaped and blank runs folded', () => {
  assert.equal(bodyText(['## 不是标题', '甲', '', '', '乙', '  ## 缩进的']), '\\## 不是标题\n甲\n\n乙\n  ## 缩进的');
  assert.equal(bodyText(['', '', '']), '');
});

test('characters are counted without line breaks and markers', () => {
  assert.equal(countCharacters('[[[李白]]]\n床前明月光'), 7);
  assert.equal(countCharacters('𠀀\n'), 1);
});

test('TSV values escape backslash, tab and line breaks', () => {
  assert.equal(tsvValue('a\\b\tc\r\nd\ne'), 'a\\\\b\\tc\\nd\\ne');
  assert.equal(tsvValue(null), '');
  assert.equal(tsvValue(6), '6');
});

test('writeTsv writes the header and one line per row, and checks the row width', (t) => {
  const file = path.join(tmpdir(t), 'dict', 'cidian.tsv');
  assert.equal(writeTsv(file, ['ci', 'py', 'js'], [['好人', 'hǎo rén', 'good person\nkind']]), 1);
  assert.equal(fs.readFileSync(file, 'utf8'), 'ci\tpy\tjs\n好人\thǎo rén\tgood person\\nkind\n');
  assert.throws(() => writeTsv(file, ['ci', 'py', 'js'], [['好人']]), /row of 1 values for 3 columns/);
});
