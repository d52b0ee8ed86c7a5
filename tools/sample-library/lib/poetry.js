'use strict';

// Converters from the JSON files of the chinese-poetry package to books.
// Every converter is a pure function from parsed JSON to book objects
// { path, header: {title, author, note, section, category}, chapters: [{title, lines}] }.
// Texts stay in the script of their source file.

const { toLines, mark, oneLine, hasText, firstClause, markStageDirections, fileName, seq, chineseNumber } = require('./text');

function header(title, section, category, author, note) {
  const h = { title: oneLine(title), section, category };
  const a = oneLine(author);
  const n = oneLine(note);
  if (a) h.author = a;
  if (n) h.note = n;
  return h;
}

function book(path, hdr, chapters) {
  return { path, header: hdr, chapters };
}

// Lines of several works in one chapter: a blank line between two works.
function joinWorks(works) {
  const out = [];
  for (const w of works) {
    if (w.length === 0) continue;
    if (out.length > 0) out.push('');
    out.push(...w);
  }
  return out;
}

// Name -> biography, from an authors file; a name listed twice keeps both texts.
function biographies(authors, field = 'desc') {
  const m = new Map();
  for (const a of authors || []) {
    const name = oneLine(a.name);
    const text = oneLine(a[field]).replace(/^[-\s]+/, '');
    if (!name || !text) continue;
    if (!m.has(name)) m.set(name, []);
    if (!m.get(name).includes(text)) m.get(name).push(text);
  }
  return new Map([...m].map(([k, v]) => [k, v.join(' ')]));
}

// Works grouped by author, authors in the order of their first work.
function groupByAuthor(works, authorOf = (w) => oneLine(w.author)) {
  const groups = new Map();
  for (const w of works) {
    const a = authorOf(w);
    if (!groups.has(a)) groups.set(a, []);
    groups.get(a).push(w);
  }
  return groups;
}

// 全唐詩 and 全宋詩: one book "‹poet›詩集" per poet, the biography as its note,
// one chapter per poem. Poems without any text are left out.
function poetBooks(poems, authors, { dir, section = '集部', category = '别集', suffix = '詩集' }) {
  const bios = biographies(authors);
  const groups = groupByAuthor(poems.filter((p) => hasText(toLines(p.paragraphs))));
  const books = [];
  let i = 0;
  for (const [name, list] of groups) {
    i++;
    const chapters = list.map((p) => ({
      title: oneLine(p.title) || firstClause(p.paragraphs),
      lines: [...toLines(p.paragraphs), ...mark(p.notes)],
    }));
    books.push(book(`${dir}/${seq(i, groups.size)}-${fileName(name)}.book`,
      header(name + suffix, section, category, name, bios.get(name)), chapters));
  }
  return books;
}

// 御定全唐詩: one book, one chapter per 卷; inside a chapter each poem starts with
// its title, the poet's name when it changes, and the biography where the source gives one.
function yudingQuantangshi(volumes, path = '诗部/诗集/1-御定全唐詩.book') {
  const chapters = [];
  for (const poems of volumes) {
    let current = null;
    let prevAuthor = null;
    for (const p of poems) {
      const vol = oneLine(p.volume);
      if (current === null || current.title !== vol) {
        current = { title: vol, works: [] };
        chapters.push(current);
        prevAuthor = null;
      }
      const author = oneLine(p.author);
      const w = [...mark(p.title)];
      if (author !== prevAuthor) {
        w.push(...mark(author));
        prevAuthor = author;
      }
      w.push(...mark(p.biography), ...toLines(p.paragraphs), ...mark(p.notes));
      current.works.push(w);
    }
  }
  return book(path, header('御定全唐詩', '诗部', '诗集'),
    chapters.map((c) => ({ title: c.title, lines: joinWorks(c.works) })));
}

// An anthology with one chapter per poem; the poet's name opens the chapter.
function anthologyChapter(title, author, lines, extra = []) {
  return { title, lines: [...mark(author), ...extra, ...lines] };
}

// 唐詩三百首 (mengxue/tangshisanbaishou.json): grouped by form, one chapter per poem.
function tangshi300(json, path = '诗部/诗集/2-唐詩三百首.book') {
  const chapters = [];
  for (const group of json.content) {
    for (const p of group.content) {
      chapters.push(anthologyChapter(oneLine(p.subchapter) || oneLine(p.chapter) || firstClause(p.paragraphs),
        p.author, toLines(p.paragraphs)));
    }
  }
  return book(path, header(json.title, '诗部', '诗集', json.author), chapters);
}

// 千家詩: grouped by form, one chapter per poem.
function qianjiashi(json, path = '诗部/诗集/3-千家詩.book') {
  return tangshi300(json, path);
}

// 水墨唐诗: one chapter per poem, with its prologue.
function shuimotangshi(poems, path = '诗部/诗集/4-水墨唐诗.book') {
  const chapters = poems.map((p) => anthologyChapter(oneLine(p.title) || firstClause(p.paragraphs), p.author,
    toLines(p.paragraphs), mark(p.prologue)));
  return book(path, header('水墨唐诗', '诗部', '诗集'), chapters);
}

// 曹操诗集: one chapter per poem.
function caocao(poems, path = '集部/别集/0-曹操诗集.book') {
  const chapters = poems.map((p) => ({ title: oneLine(p.title) || firstClause(p.paragraphs), lines: toLines(p.paragraphs) }));
  return book(path, header('曹操诗集', '集部', '别集', '曹操'), chapters);
}

// Title of a 词: "词牌·first clause", so that the many poems of one 词牌 differ.
function ciTitle(ci) {
  const r = oneLine(ci.rhythmic);
  const c = firstClause(ci.paragraphs);
  if (!r) return c;
  return c ? `${r}·${c}` : r;
}

// 全宋词: one book per 词人, the biography as its note, one chapter per 词.
function ciBooks(cis, authors, { dir = '诗部/词集/3-全宋词', suffix = '词集' } = {}) {
  const bios = biographies(authors, 'description');
  const groups = groupByAuthor(cis.filter((c) => hasText(toLines(c.paragraphs))));
  const books = [];
  let i = 0;
  for (const [name, list] of groups) {
    i++;
    const chapters = list.map((c) => ({ title: ciTitle(c), lines: [...mark(c.prologue), ...toLines(c.paragraphs)] }));
    books.push(book(`${dir}/${seq(i, groups.size)}-${fileName(name)}.book`,
      header(name + suffix, '诗部', '词集', name, bios.get(name)), chapters));
  }
  return books;
}

// 宋词三百首: one chapter per 词, the poet's name first.
function songci300(cis, path = '诗部/词集/4-宋词三百首.book') {
  const chapters = cis.map((c) => anthologyChapter(ciTitle(c), c.author, toLines(c.paragraphs), mark(c.prologue)));
  return book(path, header('宋词三百首', '诗部', '词集'), chapters);
}

// 花间集: the preface and ten 卷. `juan` is a list of [number, poems] (1..10).
function huajianji(preface, juan, path = '诗部/词集/1-花间集.book') {
  const pre = preface[0];
  const chapters = [];
  // The preface is a chapter of its own, so only its notes are set apart.
  chapters.push({ title: '序', lines: [...toLines(pre.paragraphs), '', ...mark(pre.notes)] });
  for (const [n, poems] of [...juan].sort((a, b) => a[0] - b[0])) {
    let prevAuthor = null;
    const works = poems.map((p) => {
      const author = oneLine(p.author);
      const w = [...mark(p.title)];
      if (author !== prevAuthor) w.push(...mark(author));
      prevAuthor = author;
      w.push(...toLines(p.paragraphs), ...mark(p.notes));
      return w;
    });
    chapters.push({ title: '卷' + chineseNumber(n), lines: joinWorks(works) });
  }
  return book(path, header(pre.title || '花间集', '诗部', '词集', pre.author), chapters);
}

// 南唐二主词: a chapter with each poet's biography, then the poet's 词.
function nantang(intro, authors, poems, path = '诗部/词集/2-南唐二主词.book') {
  const bios = new Map((authors || []).map((a) => [oneLine(a.name), toLines(a.desc)]));
  const chapters = [];
  const seen = new Set();
  for (const p of poems) {
    const author = oneLine(p.author);
    if (!seen.has(author)) {
      seen.add(author);
      if (bios.has(author)) chapters.push({ title: author, lines: bios.get(author) });
    }
    chapters.push(anthologyChapter(oneLine(p.title) || ciTitle(p), author,
      [...toLines(p.paragraphs), ...mark(p.notes)]));
  }
  const names = (authors || []).map((a) => oneLine(a.name)).join('、');
  return book(path, header(intro.title || '南唐二主词', '诗部', '词集', names, intro.desc), chapters);
}

// 纳兰性德诗集 (file name is the title): one chapter per poem.
function nalan(title, poems, path = '诗部/词集/5-纳兰性德诗集.book') {
  const chapters = poems.map((p) => ({
    title: oneLine(p.title) || firstClause(p.para || p.paragraphs),
    lines: toLines(p.para || p.paragraphs),
  }));
  const authors = [...new Set(poems.map((p) => oneLine(p.author)).filter(Boolean))];
  return book(path, header(title, '诗部', '词集', authors.join('、')), chapters);
}

// 元曲. Pieces are titled "play・tune" (or "mode・tune", or only "tune"). A play is
// one chapter: consecutive pieces of an author with the same part before "・" form a
// chapter, pieces that repeat the previous tune (前腔, 幺篇 ...) join it, and a run of
// pieces titled by their tune alone is one chapter. An author written "name《play》"
// is a book of that one play. Stage directions (in round brackets) are set apart.
const CONTINUATION = /^(前腔|幺|么|同前|换头)/;

function splitTitle(t) {
  const i = t.indexOf('・');
  return i < 0 ? { prefix: null, rest: t } : { prefix: t.slice(0, i), rest: t.slice(i + 1) };
}

function yuanquChapters(pieces, wholePlay) {
  const groups = [];
  let cur = null;
  const start = (kind, title, prefix) => {
    cur = { kind, title, prefix, pieces: [] };
    groups.push(cur);
  };
  for (const p of pieces) {
    const title = oneLine(p.title);
    const { prefix, rest } = splitTitle(title);
    let shown = title;
    if (wholePlay) {
      if (!cur) start('play', null, null);
    } else if (cur && CONTINUATION.test(prefix === null ? title : prefix)) {
      // a repeat of the previous tune belongs to the chapter before it
    } else if (prefix === null) {
      if (!cur || cur.kind !== 'tunes') start('tunes', title, null);
    } else {
      if (!cur || cur.kind !== 'play' || cur.prefix !== prefix) start('play', prefix, prefix);
      shown = rest;
    }
    cur.pieces.push({ piece: p, title, shown });
  }
  const text = (x) => toLines(x.piece.paragraphs).map(markStageDirections);
  return groups.map((g) => {
    if (g.pieces.length === 1 && !wholePlay) {
      const x = g.pieces[0];
      return { title: x.title || firstClause(x.piece.paragraphs), lines: text(x) };
    }
    const title = g.title || firstClause(g.pieces[0].piece.paragraphs);
    return { title, lines: joinWorks(g.pieces.map((x) => [...mark(x.shown), ...text(x)])) };
  });
}

function yuanquBooks(pieces, { dir = '诗部/剧曲/元曲', suffix = '曲集' } = {}) {
  const groups = groupByAuthor(pieces.filter((p) => hasText(toLines(p.paragraphs))));
  const books = [];
  let i = 0;
  for (const [name, list] of groups) {
    i++;
    const m = /^(.*?)《(.+)》$/.exec(name);
    const author = m ? m[1] : name;
    const title = m ? m[2] : name + suffix;
    const chapters = yuanquChapters(list, Boolean(m));
    if (m && chapters.length === 1) chapters[0].title = title;
    books.push(book(`${dir}/${seq(i, groups.size)}-${fileName(name)}.book`,
      header(title, '诗部', '剧曲', author), chapters));
  }
  return books;
}

// 楚辞: one chapter per piece, "section·title" where the piece belongs to a cycle.
function chuci(pieces, path = '诗部/楚辞/楚辞.book') {
  const chapters = pieces.map((p) => {
    const t = oneLine(p.title);
    const s = oneLine(p.section);
    return anthologyChapter(s && s !== t ? `${s}·${t}` : t, p.author, toLines(p.content));
  });
  return book(path, header('楚辞', '诗部', '楚辞'), chapters);
}

// 诗经: one chapter per poem, its part and section set apart on the first line.
function shijing(poems, path = '儒部/诗经/诗经.book') {
  const chapters = poems.map((p) => ({
    title: oneLine(p.title),
    lines: [...mark([p.chapter, p.section].map(oneLine).filter(Boolean).join('·')), ...toLines(p.content)],
  }));
  return book(path, header('诗经', '儒部', '诗经'), chapters);
}

// A classic split into named chapters ({chapter, paragraphs} or a list of them).
function classic(title, json, path, section, category, author) {
  const list = Array.isArray(json) ? json : [json];
  const chapters = list.map((c) => ({ title: oneLine(c.chapter), lines: toLines(c.paragraphs) }));
  return book(path, header(title, section, category, author), chapters);
}

// The author field of a 蒙学 book may be a short biography: "王筠（1784-1854），字貫山……".
function authorAndBio(author) {
  const a = oneLine(author);
  const m = /^([^（(，,]+)[（(，,]/.exec(a);
  if (m && a.length > 12) return { name: m[1].trim(), bio: a };
  return { name: a, bio: '' };
}

// A 蒙学 book in any of the package's shapes:
//   {paragraphs}                                  one chapter
//   {content: [{chapter, paragraphs}]}            one chapter each
//   {content: [{title, paragraphs}]}              one chapter per 卷
//   {content: [{title, content: [{chapter, paragraphs}]}]}  one chapter each;
//      chapter titles that recur in several 卷 get the 卷 in front
// with an optional preface (its own chapter "序") and abstract (the note).
function mengxueBook(json, path, section = '儒部', category = '启蒙蒙学') {
  const chapters = [];
  if (json.preface) chapters.push({ title: '序', lines: toLines(json.preface) });
  if (json.paragraphs) {
    chapters.push({ title: oneLine(json.title), lines: toLines(json.paragraphs) });
  }
  const content = json.content || [];
  const nested = content.filter((c) => Array.isArray(c.content));
  const names = new Map();
  for (const v of nested) for (const c of v.content) names.set(oneLine(c.chapter), (names.get(oneLine(c.chapter)) || 0) + 1);
  for (const c of content) {
    if (Array.isArray(c.content)) {
      for (const x of c.content) {
        const t = oneLine(x.chapter);
        chapters.push({ title: names.get(t) > 1 ? `${oneLine(c.title)}·${t}` : t, lines: toLines(x.paragraphs) });
      }
    } else {
      chapters.push({ title: oneLine(c.chapter || c.title), lines: toLines(c.paragraphs) });
    }
  }
  const { name, bio } = authorAndBio(json.author);
  const note = [bio, oneLine(json.abstract)].filter(Boolean).join(' ');
  return book(path, header(json.title, section, category, name, note), chapters);
}

// 三字經 comes in two versions; one book with a chapter for each, titled by its tag.
function sanzijing(versions, path = '儒部/启蒙蒙学/1-三字經.book') {
  const chapters = versions.map((v) => ({ title: oneLine(v.tags) || oneLine(v.title), lines: toLines(v.paragraphs) }));
  return book(path, header(versions[0].title, '儒部', '启蒙蒙学', versions[0].author), chapters);
}

// 古文觀止: one chapter per article; the source line (book and author) set apart.
function guwenguanzhi(json, path = '集部/总集/古文觀止.book') {
  const chapters = [];
  for (const juan of json.content) {
    for (const a of juan.content) {
      const src = [a.source, a.author].map(oneLine).filter(Boolean).join('\u3000');
      chapters.push({ title: oneLine(a.chapter), lines: [...mark(src), ...toLines(a.paragraphs)] });
    }
  }
  return book(path, header(json.title, '集部', '总集', json.author, json.abstract), chapters);
}

// 幽梦影: one chapter; each saying followed by the comments on it, set apart.
function youmengying(items, path = '子部/笔记/幽梦影.book') {
  const works = items.map((it) => [...toLines(it.content), ...mark(it.comment)]);
  return book(path, header('幽梦影', '子部', '笔记'), [{ title: '幽梦影', lines: joinWorks(works) }]);
}

module.exports = {
  biographies, groupByAuthor, poetBooks, yudingQuantangshi, tangshi300, qianjiashi, shuimotangshi, caocao,
  ciTitle, ciBooks, songci300, huajianji, nantang, nalan, yuanquChapters, yuanquBooks, chuci, shijing, classic,
  authorAndBio, mengxueBook, sanzijing, guwenguanzhi, youmengying, joinWorks,
};
