'use strict';

// Small text helpers shared by the converters.

const OPEN = '[[[';
const CLOSE = ']]]';

// Splits a source value (string, array of strings, null) into lines without CRs.
function toLines(value) {
  if (value === null || value === undefined) return [];
  const parts = Array.isArray(value) ? value : [value];
  const out = [];
  for (const p of parts) {
    if (p === null || p === undefined) continue;
    for (const line of String(p).replace(/\r\n?/g, '\n').split('\n')) out.push(line.trimEnd());
  }
  return out;
}

// The non-blank lines of a source value, each enclosed in the highlight markers.
// Each line is marked on its own so a passage never spans a line break.
function mark(value) {
  return toLines(value).filter((l) => l.trim() !== '').map((l) => OPEN + l.trim() + CLOSE);
}

// One-line form of a header value: line breaks and tabs become single spaces.
function oneLine(value) {
  if (value === null || value === undefined) return '';
  const s = Array.isArray(value) ? value.join('\n') : String(value);
  return s.replace(/[\u0000-\u001f\u007f]+/g, ' ').replace(/ {2,}/g, ' ').trim();
}

// True when the lines hold at least one character that is neither punctuation nor space.
function hasText(lines) {
  return lines.some((l) => /[^\s\p{P}]/u.test(l));
}

const CLAUSE_END = /[，。、；：？！,.;:?!·・\s]/u;

// The first clause of a text: up to the first punctuation mark, at most `max` characters.
function firstClause(lines, max = 24) {
  for (const l of toLines(lines)) {
    const t = l.trim();
    if (!/[^\s\p{P}]/u.test(t)) continue;
    const start = t.search(/[^\s\p{P}]/u);
    const rest = t.slice(start);
    const end = rest.search(CLAUSE_END);
    const clause = end < 0 ? rest : rest.slice(0, end);
    return Array.from(clause).slice(0, max).join('');
  }
  return '';
}

// Marks the stage directions of a play line: every passage in round brackets,
// full-width or ASCII, e.g. "（末云了）".
function markStageDirections(line) {
  return line.replace(/（[^（）]*）|\([^()]*\)/g, (m) => OPEN + m + CLOSE);
}

// Compares two strings by Unicode code point (UTF-16 order differs for
// characters above U+FFFF against U+E000..U+FFFF).
function compareCodePoints(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; i++) {
    let x = a.charCodeAt(i);
    let y = b.charCodeAt(i);
    if (x !== y) {
      if (x >= 0xd800 && y >= 0xd800) {
        x = x >= 0xe000 ? x - 0x800 : x + 0x2000;
        y = y >= 0xe000 ? y - 0x800 : y + 0x2000;
      }
      return x - y;
    }
  }
  return a.length - b.length;
}

// A file-name-safe form of a title (the title itself stays in the header).
function fileName(title, max = 60) {
  let s = oneLine(title).replace(/\//g, '／').replace(/\\/g, '＼').replace(/\s+/g, '_').replace(/^\.+/, '');
  s = Array.from(s).slice(0, max).join('');
  return s === '' ? '_' : s;
}

// Zero-padded sequence prefix so that file order follows source order.
function seq(i, count) {
  return String(i).padStart(String(count).length, '0');
}

const NUMERALS = ['', '一', '二', '三', '四', '五', '六', '七', '八', '九', '十'];
function chineseNumber(n) {
  if (n <= 10) return NUMERALS[n];
  if (n < 20) return '十' + NUMERALS[n - 10];
  if (n < 100) return NUMERALS[Math.floor(n / 10)] + '十' + NUMERALS[n % 10];
  return String(n);
}

module.exports = {
  OPEN, CLOSE, toLines, mark, oneLine, hasText, firstClause, markStageDirections,
  compareCodePoints, fileName, seq, chineseNumber,
};
