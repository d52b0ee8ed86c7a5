'use strict';

const fs = require('fs');
const path = require('path');
const { isValidCategory } = require('./catalogue');
const { OPEN, CLOSE } = require('./text');

// Buffered writer: collects text and writes it in large chunks.
class BufferedFile {
  constructor(file, chunk = 1 << 20) {
    this.fd = fs.openSync(file, 'w');
    this.parts = [];
    this.size = 0;
    this.chunk = chunk;
  }

  write(s) {
    this.parts.push(s);
    this.size += s.length;
    if (this.size >= this.chunk) this.flush();
  }

  flush() {
    if (this.parts.length === 0) return;
    fs.writeSync(this.fd, this.parts.join(''));
    this.parts = [];
    this.size = 0;
  }

  close() {
    this.flush();
    fs.closeSync(this.fd);
  }
}

const HEADER_KEYS = ['title', 'author', 'note', 'section', 'category', 'zmf'];

function countMarkers(s, m) {
  let n = 0;
  for (let i = s.indexOf(m); i >= 0; i = s.indexOf(m, i + m.length)) n++;
  return n;
}

// Body lines of a chapter as stored in a book file: leading and trailing blank
// lines dropped, runs of blank lines folded into one, "## " lines escaped.
function bodyText(lines) {
  const out = [];
  for (const raw of lines) {
    const line = raw.replace(/[\r\n]+/g, ' ').trimEnd();
    if (line === '') {
      if (out.length > 0 && out[out.length - 1] !== '') out.push('');
      continue;
    }
    out.push(line.startsWith('## ') ? '\\' + line : line);
  }
  while (out.length > 0 && out[out.length - 1] === '') out.pop();
  return out.join('\n');
}

// Writes the books/ tree of a library source folder and counts what it wrote.
class BookWriter {
  constructor(root) {
    this.root = root;
    this.books = 0;
    this.chapters = 0;
    this.characters = 0;
    this.paths = new Set();
    this.bySection = new Map();
  }

  // book: { path (relative to books/, ending in ".book"), header: {...}, chapters: [{title, lines}] }
  write(book) {
    const where = `book ${book.path}`;
    const h = book.header;
    for (const k of Object.keys(h)) {
      if (!HEADER_KEYS.includes(k)) throw new Error(`${where}: unknown header key "${k}"`);
    }
    if (!h.title) throw new Error(`${where}: missing title`);
    if (!isValidCategory(h.section, h.category)) {
      throw new Error(`${where}: "${h.section}/${h.category}" is not a section and sub-category of the catalogue`);
    }
    if (!book.path.endsWith('.book')) throw new Error(`${where}: file name must end in ".book"`);
    if (this.paths.has(book.path)) throw new Error(`${where}: written twice`);
    const chapters = book.chapters.filter((c) => c.lines.some((l) => l.trim() !== ''));
    if (chapters.length === 0) throw new Error(`${where}: no chapter`);

    // Everything is checked before the file is created, so a refused book leaves nothing behind.
    const head = [];
    for (const k of HEADER_KEYS) {
      const v = h[k];
      if (v === undefined || v === null || v === '') continue;
      if (/[\r\n]/.test(v)) throw new Error(`${where}: header value of "${k}" has a line break`);
      head.push(`${k}: ${v}\n`);
    }
    const texts = [];
    let chars = 0;
    for (const c of chapters) {
      const title = String(c.title).replace(/[\u0000-\u001f\u007f]+/g, ' ').trim();
      if (title === '') throw new Error(`${where}: chapter without title`);
      const body = bodyText(c.lines);
      if (countMarkers(body, OPEN) !== countMarkers(body, CLOSE)) {
        throw new Error(`${where}: unbalanced highlight markers in chapter "${title}"`);
      }
      texts.push(`\n## ${title}\n${body}\n`);
      chars += countCharacters(body);
    }

    this.paths.add(book.path);
    const file = path.join(this.root, 'books', book.path);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    const out = new BufferedFile(file);
    out.write(head.join(''));
    for (const t of texts) out.write(t);
    out.close();
    this.books++;
    this.chapters += chapters.length;
    this.characters += chars;
    const key = `${h.section}/${h.category}`;
    const s = this.bySection.get(key) || { books: 0, chapters: 0, characters: 0 };
    s.books++;
    s.chapters += chapters.length;
    s.characters += chars;
    this.bySection.set(key, s);
  }
}

// Characters of a body as a reader sees them: code points without line breaks
// and without the highlight markers.
function countCharacters(body) {
  let n = 0;
  for (const ch of body) if (ch !== '\n') n++;
  return n - 3 * (countMarkers(body, OPEN) + countMarkers(body, CLOSE));
}

// TSV values: backslash, tab and line break escaped as \\, \t and \n.
function tsvValue(v) {
  if (v === null || v === undefined) return '';
  return String(v)
    .replace(/\r\n?/g, '\n')
    .replace(/\\/g, '\\\\')
    .replace(/\t/g, '\\t')
    .replace(/\n/g, '\\n');
}

// Writes one dictionary table: header line, then the rows (arrays in column order).
function writeTsv(file, columns, rows) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  const out = new BufferedFile(file);
  out.write(columns.join('\t') + '\n');
  let n = 0;
  for (const r of rows) {
    if (r.length !== columns.length) throw new Error(`${file}: row of ${r.length} values for ${columns.length} columns`);
    out.write(r.map(tsvValue).join('\t') + '\n');
    n++;
  }
  out.close();
  return n;
}

module.exports = { BufferedFile, BookWriter, bodyText, countCharacters, tsvValue, writeTsv };
