'use strict';

// Reads the chinese-poetry package (its "dist" folder) and writes its books.

const fs = require('fs');
const path = require('path');
const P = require('./poetry');

// Folders and files that hold no text of their own, or only copies of texts
// converted from elsewhere in the package.
const SKIPPED = [
  'rank/', // popularity counts per poem
  'strains/', // tone patterns (平仄) per poem
  'quantangshi/error/', // poems of the main files again, flagged by a tone-pattern check
  'quantangshi/唐诗三百首.json', // copies of poems of the 全唐詩 files; mengxue/tangshisanbaishou.json is the book
  'quantangshi/表面结构字.json', // a table of composed characters
];

// File names ordered by their number ("poet.song.2000.json" before "poet.song.10000.json");
// names without a plain number ("ci.song.2019y.json", a supplement) come last.
function byNumber(names) {
  const num = (n) => {
    const m = /\.(\d+)\.json$/.exec(n);
    return m ? Number(m[1]) : Infinity;
  };
  return [...names].sort((a, b) => num(a) - num(b) || (a < b ? -1 : a > b ? 1 : 0));
}

class PoetryReader {
  constructor(dist) {
    this.dist = dist;
    this.used = new Set();
  }

  json(rel) {
    const file = path.join(this.dist, rel);
    let text;
    try {
      text = fs.readFileSync(file, 'utf8');
    } catch (e) {
      throw new Error(`chinese-poetry: cannot read ${rel}: ${e.message}`);
    }
    this.used.add(rel);
    try {
      return JSON.parse(text);
    } catch (e) {
      throw new Error(`chinese-poetry: ${rel} is not valid JSON: ${e.message}`);
    }
  }

  list(dir, re) {
    let names;
    try {
      names = fs.readdirSync(path.join(this.dist, dir));
    } catch (e) {
      throw new Error(`chinese-poetry: cannot list ${dir}: ${e.message}`);
    }
    const picked = byNumber(names.filter((n) => re.test(n)));
    if (picked.length === 0) throw new Error(`chinese-poetry: no file matching ${re} in ${dir}`);
    return picked.map((n) => `${dir}/${n}`);
  }

  concat(files) {
    const out = [];
    for (const f of files) for (const x of this.json(f)) out.push(x);
    return out;
  }

  // JSON files of the package that were neither converted nor skipped on purpose.
  unused() {
    const out = [];
    const walk = (rel) => {
      for (const e of fs.readdirSync(path.join(this.dist, rel), { withFileTypes: true })) {
        const r = rel ? `${rel}/${e.name}` : e.name;
        if (SKIPPED.some((s) => (s.endsWith('/') ? (r + '/').startsWith(s) : r === s))) continue;
        if (e.isDirectory()) walk(r);
        else if (e.name.endsWith('.json') && !this.used.has(r)) out.push(r);
      }
    };
    walk('');
    return out.sort();
  }
}

// Converts the whole package; `write(book)` receives each book, `log(text)` the progress.
// Returns the parsed 文字蒙求 (its glosses go into the character dictionary).
function convertPoetry(dist, write, log = () => {}) {
  const r = new PoetryReader(dist);
  const emit = (label, books) => {
    const list = Array.isArray(books) ? books : [books];
    let chapters = 0;
    for (const b of list) {
      write(b);
      chapters += b.chapters.length;
    }
    log(`${label}: ${list.length} book(s), ${chapters} chapter(s)`);
  };

  // 诗部/诗集
  emit('御定全唐詩', P.yudingQuantangshi(r.list('yudingquantangshi/json', /^\d+\.json$/).map((f) => r.json(f))));
  emit('唐詩三百首', P.tangshi300(r.json('mengxue/tangshisanbaishou.json')));
  emit('千家詩', P.qianjiashi(r.json('mengxue/qianjiashi.json')));
  emit('水墨唐诗', P.shuimotangshi(r.json('shuimotangshi/shuimotangshi.json')));

  // 集部/别集
  emit('曹操诗集', P.caocao(r.json('caocaoshiji/caocao.json')));
  {
    const tang = r.concat(r.list('quantangshi', /^poet\.tang\.\d+\.json$/));
    tang.push(...r.json('quantangshi/唐诗补录.json'));
    emit('全唐詩', P.poetBooks(tang, r.json('quantangshi/authors.tang.json'), { dir: '集部/别集/1-全唐詩' }));
  }
  {
    const song = r.concat(r.list('quantangshi', /^poet\.song\.\d+\.json$/));
    emit('全宋詩', P.poetBooks(song, r.json('quantangshi/authors.song.json'), { dir: '集部/别集/2-全宋詩' }));
  }

  // 诗部/词集
  {
    const files = r.list('wudaishici/huajianji', /^huajianji-[0-9x]-juan\.json$/);
    const juan = files.map((f) => {
      const d = /huajianji-([0-9x])-juan/.exec(f)[1];
      return [d === 'x' ? 10 : Number(d), r.json(f)];
    });
    emit('花间集', P.huajianji(r.json('wudaishici/huajianji/huajianji-0-preface.json'), juan));
  }
  emit('南唐二主词', P.nantang(r.json('wudaishici/nantang/intro.json'), r.json('wudaishici/nantang/authors.json'),
    r.json('wudaishici/nantang/poetrys.json')));
  emit('全宋词', P.ciBooks(r.concat(r.list('songci', /^ci\.song\.[0-9a-z]+\.json$/)), r.json('songci/author.song.json')));
  emit('宋词三百首', P.songci300(r.json('songci/宋词三百首.json')));
  for (const f of r.list('nalanxingde', /\.json$/)) {
    emit(path.basename(f, '.json'), P.nalan(path.basename(f, '.json'), r.json(f)));
  }

  // 诗部/剧曲, 楚辞, 对联
  emit('元曲', P.yuanquBooks(r.json('yuanqu/yuanqu.json')));
  emit('楚辞', P.chuci(r.json('chuci/chuci.json')));
  emit('聲律啓蒙', P.mengxueBook(r.json('mengxue/shenglvqimeng.json'), '诗部/对联/聲律啓蒙.book', '诗部', '对联'));

  // 儒部
  emit('诗经', P.shijing(r.json('shijing/shijing.json')));
  emit('论语', P.classic('论语', r.json('lunyu/lunyu.json'), '儒部/四书/1-论语.book', '儒部', '四书'));
  emit('孟子', P.classic('孟子', r.json('sishuwujing/mengzi.json'), '儒部/四书/2-孟子.book', '儒部', '四书'));
  emit('大學', P.classic('大學', r.json('sishuwujing/daxue.json'), '儒部/四书/3-大學.book', '儒部', '四书'));
  emit('中庸', P.classic('中庸', r.json('sishuwujing/zhongyong.json'), '儒部/四书/4-中庸.book', '儒部', '四书'));
  emit('三字經', P.sanzijing([r.json('mengxue/sanzijing-traditional.json'), r.json('mengxue/sanzijing-new.json')]));
  const wenzi = r.json('mengxue/wenzimengqiu.json');
  const mengxue = [
    ['2-百家姓', 'baijiaxing'], ['3-千字文', 'qianziwen'], ['4-弟子規', 'dizigui'], ['5-幼學瓊林', 'youxueqionglin'],
    ['6-文字蒙求', null], ['7-增廣賢文', 'zengguangxianwen'],
  ];
  for (const [name, file] of mengxue) {
    const json = file ? r.json(`mengxue/${file}.json`) : wenzi;
    emit(name.slice(2), P.mengxueBook(json, `儒部/启蒙蒙学/${name}.book`));
  }
  emit('朱子家訓', P.mengxueBook(r.json('mengxue/zhuzijiaxun.json'), '儒部/修身治家/朱子家訓.book', '儒部', '修身治家'));

  // 集部/总集, 子部/笔记
  emit('古文觀止', P.guwenguanzhi(r.json('mengxue/guwenguanzhi.json')));
  emit('幽梦影', P.youmengying(r.json('youmengying/youmengying.json')));

  for (const f of r.unused()) log(`warning: ${f} of chinese-poetry was not converted`);
  return { wenzimengqiu: wenzi };
}

module.exports = { convertPoetry, byNumber, SKIPPED };
