'use strict';

// Unihan data of Debian's unicode-data package: either Unihan.zip or the single
// Unihan_*.txt files, plain or compressed with bzip2, in /usr/share/unicode.

const fs = require('fs');
const path = require('path');
const readline = require('readline');
const { spawn } = require('child_process');

const FIELDS = ['kMandarin', 'kHanyuPinyin', 'kDefinition', 'kRSUnicode', 'kTotalStrokes', 'kKangXi', 'kRSKangXi'];
const PARTS = ['Readings', 'IRGSources', 'DictionaryIndices', 'RadicalStrokeCounts'];

// The Unihan files found in `dir`: { kind: 'zip' | 'txt' | 'bz2', files: [...] }, or null.
function findUnihan(dir) {
  const zip = path.join(dir, 'Unihan.zip');
  if (fs.existsSync(zip)) return { kind: 'zip', files: [zip] };
  for (const [kind, ext] of [['txt', '.txt'], ['bz2', '.txt.bz2']]) {
    const files = PARTS.map((p) => path.join(dir, `Unihan_${p}${ext}`));
    if (files.every((f) => fs.existsSync(f))) return { kind, files };
  }
  return null;
}

function openStream(kind, file) {
  if (kind === 'txt') return { stream: fs.createReadStream(file, { encoding: 'utf8' }), done: Promise.resolve() };
  const [cmd, args] = kind === 'zip' ? ['unzip', ['-p', file]] : ['bzcat', [file]];
  const child = spawn(cmd, args, { stdio: ['ignore', 'pipe', 'pipe'] });
  let err = '';
  child.stderr.on('data', (d) => (err += d));
  const done = new Promise((resolve, reject) => {
    child.on('error', (e) => reject(new Error(`cannot run ${cmd} for ${file}: ${e.message}`)));
    child.on('close', (code) => (code === 0 ? resolve() : reject(new Error(`${cmd} ${file} failed: ${err.trim()}`))));
  });
  child.stdout.setEncoding('utf8');
  return { stream: child.stdout, done };
}

// Adds one line "U+XXXX<TAB>field<TAB>value" to `map` (code point -> {field: value}).
function addLine(line, map, header) {
  if (line.startsWith('#')) {
    if (header && /^# (Unicode version|©|Unicode and the Unicode Logo|For terms of use)/.test(line)) header.add(line.slice(2));
    return;
  }
  const t1 = line.indexOf('\t');
  if (t1 < 0 || !line.startsWith('U+')) return;
  const t2 = line.indexOf('\t', t1 + 1);
  if (t2 < 0) return;
  const field = line.slice(t1 + 1, t2);
  if (!FIELDS.includes(field)) return;
  const cp = parseInt(line.slice(2, t1), 16);
  let rec = map.get(cp);
  if (!rec) {
    rec = {};
    map.set(cp, rec);
  }
  rec[field] = line.slice(t2 + 1).trim();
}

// Reads the fields this converter uses. Returns { chars: Map, header: [lines] }.
async function readUnihan(source) {
  const map = new Map();
  const header = new Set();
  for (const file of source.files) {
    const { stream, done } = openStream(source.kind, file);
    const rl = readline.createInterface({ input: stream, crlfDelay: Infinity });
    for await (const line of rl) addLine(line, map, header);
    await done;
  }
  return { chars: map, header: [...header] };
}

// CJKRadicals.txt: radical number ("142", "90'") -> unified ideograph.
function loadRadicals(file) {
  const m = new Map();
  if (!file || !fs.existsSync(file)) return m;
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const t = line.replace(/#.*/, '').trim();
    if (!t) continue;
    const [num, , ideo] = t.split(';').map((s) => s.trim());
    if (num && ideo) m.set(num, String.fromCodePoint(parseInt(ideo, 16)));
  }
  return m;
}

// The character of a radical number; the Kangxi Radicals block stands in when
// CJKRadicals.txt has no line for it.
function radicalCharacter(radicals, num) {
  if (radicals.has(num)) return radicals.get(num);
  const n = parseInt(num, 10);
  if (n >= 1 && n <= 214) return String.fromCodePoint(0x2f00 + n - 1).normalize('NFKC');
  return '';
}

// "142.10" -> { radical: '142', strokes: '10' } (the first of several values).
function radicalStroke(value) {
  if (!value) return null;
  const m = /^(\d+'*)\.(-?\d+)/.exec(value.split(' ')[0]);
  return m ? { radical: m[1], strokes: m[2] } : null;
}

// Mandarin readings: kMandarin first, then the other readings of kHanyuPinyin.
function readings(rec) {
  const out = [];
  for (const r of (rec.kMandarin || '').split(' ')) if (r && !out.includes(r)) out.push(r);
  for (const part of (rec.kHanyuPinyin || '').split(' ')) {
    const i = part.indexOf(':');
    if (i < 0) continue;
    for (const r of part.slice(i + 1).split(',')) if (r && !out.includes(r)) out.push(r);
  }
  return out;
}

// Real positions of kKangXi ("1092.420": page 1092, character 42; a last digit 1
// marks a virtual position, a character the dictionary does not hold).
function kangxiPositions(value) {
  const out = [];
  for (const v of (value || '').split(' ')) {
    const m = /^(\d+)\.(\d\d)(\d)$/.exec(v);
    if (m && m[3] === '0') out.push({ page: Number(m[1]), index: Number(m[2]) });
  }
  return out;
}

function uplus(cp) {
  return 'U+' + cp.toString(16).toUpperCase().padStart(4, '0');
}

// Rows of zizi for every character with a Mandarin reading, by code point.
//   glosses: Map char -> 古义 text; details(char) -> 详细解释 text.
function ziziRows(chars, radicals, glosses, details) {
  const rows = [];
  for (const cp of [...chars.keys()].sort((a, b) => a - b)) {
    const rec = chars.get(cp);
    const py = readings(rec);
    if (py.length === 0) continue;
    const zi = String.fromCodePoint(cp);
    const rs = radicalStroke(rec.kRSUnicode);
    rows.push([
      zi,
      py.join(', '),
      rs ? radicalCharacter(radicals, rs.radical) : '',
      (rec.kTotalStrokes || '').split(' ')[0],
      glosses.get(zi) || '',
      rec.kDefinition || '',
      details(zi),
    ]);
  }
  return rows;
}

// Rows of kxzd for every character at a real position of the Kangxi dictionary:
//   a, yin, uc, b ("康熙字典第1092頁第42字；虫部10畫"), d (the definition).
function kxzdRows(chars, radicals) {
  const rows = [];
  for (const cp of [...chars.keys()].sort((a, b) => a - b)) {
    const rec = chars.get(cp);
    const pos = kangxiPositions(rec.kKangXi);
    if (pos.length === 0) continue;
    let b = '康熙字典' + pos.map((p) => `第${p.page}頁第${p.index}字`).join('、');
    const rs = radicalStroke(rec.kRSKangXi) || radicalStroke(rec.kRSUnicode);
    if (rs) {
      const rad = radicalCharacter(radicals, rs.radical.replace(/'+$/, ''));
      if (rad) b += `；${rad}部${rs.strokes}畫`;
    }
    rows.push([String.fromCodePoint(cp), readings(rec).join(', '), uplus(cp), b, rec.kDefinition || '']);
  }
  return rows;
}

module.exports = {
  FIELDS, findUnihan, readUnihan, addLine, loadRadicals, radicalCharacter, radicalStroke, readings,
  kangxiPositions, uplus, ziziRows, kxzdRows,
};
