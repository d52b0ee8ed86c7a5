'use strict';

// The word explanations of npm cnchar-data: explanation/<character>.json, each an
// object word -> Chinese explanation, for the words that begin with that character.

const fs = require('fs');
const path = require('path');
const { toLines, compareCodePoints } = require('./text');
const { orderedReadings, readingText } = require('./cedict');

// All entries of the explanation folder: [[word, explanation], ...] in file order.
function readExplanations(dir) {
  const out = [];
  const files = fs.readdirSync(dir).filter((f) => f.endsWith('.json')).sort(compareCodePoints);
  for (const f of files) {
    let obj;
    try {
      obj = JSON.parse(fs.readFileSync(path.join(dir, f), 'utf8'));
    } catch (e) {
      throw new Error(`cnchar-data: ${f} is not valid JSON: ${e.message}`);
    }
    for (const [word, text] of Object.entries(obj)) out.push([word, text]);
  }
  return out;
}

function explanationText(text) {
  return toLines(text).map((l) => l.trim()).filter((l) => l !== '').join('\n');
}

// Rows of ncidian (ci, py, js), sorted by word. The reading is CC-CEDICT's where
// it has the word, otherwise `pinyinOf(word)`. Words without explanation are left out.
function ncidianRows(entries, cedictIndex, pinyinOf) {
  const seen = new Map();
  for (const [word, text] of entries) {
    const w = String(word).trim();
    const js = explanationText(text);
    if (!w || !js) continue;
    if (seen.has(w)) {
      const prev = seen.get(w);
      if (!prev.split('\n').includes(js)) seen.set(w, prev + '\n' + js);
      continue;
    }
    seen.set(w, js);
  }
  const words = [...seen.keys()].sort(compareCodePoints);
  let fromCedict = 0;
  const rows = words.map((w) => {
    const r = cedictIndex.get(w);
    let py;
    if (r && r.length > 0) {
      py = readingText(orderedReadings(r));
      fromCedict++;
    } else {
      py = pinyinOf(w);
    }
    return [w, py, seen.get(w)];
  });
  return { rows, fromCedict };
}

module.exports = { readExplanations, explanationText, ncidianRows };
