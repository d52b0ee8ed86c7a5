'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { convertPoetry, byNumber } = require('../lib/poetry-files');
const { BookWriter } = require('../lib/output');
const { tmpdir, makePoetryDist, writeJson, parseBook } = require('../testing/fixtures');

test('files are taken in the order of their numbers, supplements last', () => {
  assert.deepEqual(byNumber(['ci.song.10000.json', 'ci.song.2019y.json', 'ci.song.0.json', 'ci.song.2000.json', 'ci.song.1000.json']),
    ['ci.song.0.json', 'ci.song.1000.json', 'ci.song.2000.json', 'ci.song.10000.json', 'ci.song.2019y.json']);
});

function convert(t) {
  const dist = makePoetryDist(path.join(tmpdir(t), 'dist'));
  const out = tmpdir(t);
  const w = new BookWriter(out);
  const logs = [];
  const result = convertPoetry(dist, (b) => w.write(b), (m) => logs.push(m));
  const books = new Map();
  const walk = (dir, rel) => {
    for (const e of fs.readdirSync(dir, { withFileTypes: true })) {
      const r = rel ? `${rel}/${e.name}` : e.name;
      if (e.isDirectory()) walk(path.join(dir, e.name), r);
      else books.set(r, parseBook(fs.readFileSync(path.join(dir, e.name), 'utf8')));
    }
  };
  walk(path.join(out, 'books'), '');
  return { dist, w, logs, books, result };
}

test('the whole package converts into books of the mapped sections and sub-categories', (t) => {
  const { books, logs, result } = convert(t);
  const where = new Map([...books].map(([p, b]) => [b.header.title, `${b.header.section}/${b.header.category}`]));
  const expected = {
    御定全唐詩: '诗部/诗集', 唐詩三百首: '诗部/诗集', 千家詩: '诗部/诗集', 水墨唐诗: '诗部/诗集',
    曹操诗集: '集部/别集', 李白詩集: '集部/别集', 杜甫詩集: '集部/别集', 佚名詩集: '集部/别集', 陸游詩集: '集部/别集',
    花间集: '诗部/词集', 南唐二主词: '诗部/词集', 苏轼词集: '诗部/词集', 李从周词集: '诗部/词集', 宋词三百首: '诗部/词集', 纳兰性德诗集: '诗部/词集',
    关汉卿曲集: '诗部/剧曲', 高明曲集: '诗部/剧曲', 蔡伯喈琵琶记: '诗部/剧曲', 楚辞: '诗部/楚辞', 聲律啓蒙: '诗部/对联',
    诗经: '儒部/诗经', 论语: '儒部/四书', 孟子: '儒部/四书', 大學: '儒部/四书', 中庸: '儒部/四书',
    三字經: '儒部/启蒙蒙学', 百家姓: '儒部/启蒙蒙学', 千字文: '儒部/启蒙蒙学', 弟子規: '儒部/启蒙蒙学', 幼學瓊林: '儒部/启蒙蒙学',
    文字蒙求: '儒部/启蒙蒙学', 增廣賢文: '儒部/启蒙蒙学', 朱子家訓: '儒部/修身治家', 古文觀止: '集部/总集', 幽梦影: '子部/笔记',
  };
  assert.deepEqual(Object.fromEntries([...where].sort()), Object.fromEntries(Object.entries(expected).sort()));
  assert.equal(books.size, Object.keys(expected).length, 'no title twice');
  assert.deepEqual(logs.filter((l) => l.startsWith('warning')), []);
  assert.ok(result.wenzimengqiu.content, 'returns 文字蒙求 for the glosses');
});

test('poets keep source order across files; skipped files add nothing', (t) => {
  const { books } = convert(t);
  const tang = [...books.keys()].filter((p) => p.startsWith('集部/别集/1-全唐詩/')).sort();
  assert.deepEqual(tang, ['集部/别集/1-全唐詩/1-李白.book', '集部/别集/1-全唐詩/2-杜甫.book', '集部/别集/1-全唐詩/3-佚名.book']);
  const li = books.get(tang[0]);
  // 靜夜思 from poet.tang.0 first, the untitled poem of poet.tang.10000 after it;
  // the copies in quantangshi/唐诗三百首.json and quantangshi/error/ are not added.
  assert.deepEqual(li.chapters.map((c) => c.title), ['靜夜思', '朝辭白帝彩雲間']);
  assert.deepEqual(li.header, { title: '李白詩集', author: '李白', note: '字太白。', section: '集部', category: '别集' });
  assert.deepEqual(books.get(tang[1]).chapters.map((c) => c.title), ['春望']);
  assert.equal(books.get(tang[2]).chapters[0].body, '住在绿池边，朝朝学采莲\n[[[长沙窑“补遗”]]]');
  // 2019y supplement after the numbered files: its poet comes last
  const ci = [...books.keys()].filter((p) => p.startsWith('诗部/词集/3-全宋词/')).sort();
  assert.deepEqual(ci, ['诗部/词集/3-全宋词/1-苏轼.book', '诗部/词集/3-全宋词/2-李从周.book']);
});

test('a new file that the converter does not know is reported', (t) => {
  const dist = makePoetryDist(path.join(tmpdir(t), 'dist'));
  writeJson(dist, 'xinji/new.json', []);
  const logs = [];
  convertPoetry(dist, () => {}, (m) => logs.push(m));
  assert.deepEqual(logs.filter((l) => l.startsWith('warning')), ['warning: xinji/new.json of chinese-poetry was not converted']);
});

test('a missing or broken file is an error naming it', (t) => {
  const dist = makePoetryDist(path.join(tmpdir(t), 'dist'));
  fs.rmSync(path.join(dist, 'chuci', 'chuci.json'));
  assert.throws(() => convertPoetry(dist, () => {}), /chinese-poetry: cannot read chuci\/chuci\.json/);
  fs.writeFileSync(path.join(dist, 'chuci', 'chuci.json'), '[{');
  assert.throws(() => convertPoetry(dist, () => {}), /chuci\/chuci\.json is not valid JSON/);
});
