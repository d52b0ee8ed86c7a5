'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const T = require('../lib/text');

test('mark encloses each non-blank line on its own', () => {
  assert.deepEqual(T.mark(['一作某', '', '  又一作  ']), ['[[[一作某]]]', '[[[又一作]]]']);
  assert.deepEqual(T.mark('甲\r\n乙'), ['[[[甲]]]', '[[[乙]]]']);
  assert.deepEqual(T.mark(null), []);
  assert.deepEqual(T.mark(['']), []);
});

test('firstClause takes the text up to the first punctuation mark', () => {
  const cases = [
    [['气和玉烛，睿化著鸿明。'], '气和玉烛'],
    [['。', '“明月几时有？”'], '明月几时有'],
    [['山一程 水一程'], '山一程'],
    [['一二三四五六七八九十一二三四五六七八九十一二三四五六'], '一二三四五六七八九十一二三四五六七八九十一二三四'],
    [['。'], ''],
    [[], ''],
  ];
  for (const [lines, want] of cases) assert.equal(T.firstClause(lines), want, JSON.stringify(lines));
});

test('hasText is false for punctuation-only poems', () => {
  assert.equal(T.hasText(['。']), false);
  assert.equal(T.hasText([]), false);
  assert.equal(T.hasText(['  ', '，']), false);
  assert.equal(T.hasText(['□□□']), true);
  assert.equal(T.hasText(['春眠不覺曉']), true);
});

test('stage directions in round brackets are marked, full-width and ASCII', () => {
  assert.equal(T.markStageDirections('诵的尧舜，（末云了）（正旦唱）说的温良。'),
    '诵的尧舜，[[[（末云了）]]][[[（正旦唱）]]]说的温良。');
  assert.equal(T.markStageDirections('(末上)春风得意'), '[[[(末上)]]]春风得意');
  assert.equal(T.markStageDirections('无括号'), '无括号');
});

test('oneLine folds line breaks and tabs of header values', () => {
  assert.equal(T.oneLine('光\t威\t裒'), '光 威 裒');
  assert.equal(T.oneLine(['第一段', '第二段']), '第一段 第二段');
  assert.equal(T.oneLine('芙蓉古丈夫　毛女'), '芙蓉古丈夫　毛女');
  assert.equal(T.oneLine(undefined), '');
});

test('compareCodePoints orders characters beyond U+FFFF after U+E000..U+FFFF', () => {
  const astral = '\u{20000}'; // 𠀀
  const pua = '\uE000';
  assert.ok('\u{20000}' < '\uE000', 'UTF-16 order differs');
  assert.ok(T.compareCodePoints(pua, astral) < 0);
  assert.ok(T.compareCodePoints(astral, pua) > 0);
  assert.ok(T.compareCodePoints('一', '一个') < 0);
  assert.equal(T.compareCodePoints('好', '好'), 0);
  assert.deepEqual(['\u{20000}', '\uFF01', '丁', '\u{2A6D6}'].sort(T.compareCodePoints), ['丁', '\uFF01', '\u{20000}', '\u{2A6D6}']);
});

test('fileName keeps the title readable but safe as a path part', () => {
  assert.equal(T.fileName('釋{巩/言}元'), '釋{巩／言}元');
  assert.equal(T.fileName('光\t威\t裒'), '光_威_裒');
  assert.equal(T.fileName('..x'), 'x');
  assert.equal(T.fileName(''), '_');
  assert.equal(Array.from(T.fileName('字'.repeat(100))).length, 60);
});

test('seq pads to the width of the count and chineseNumber spells 卷 numbers', () => {
  assert.equal(T.seq(7, 8934), '0007');
  assert.equal(T.seq(12, 99), '12');
  assert.deepEqual([1, 9, 10, 11, 20, 21].map(T.chineseNumber), ['一', '九', '十', '十一', '二十', '二十一']);
});
