'use strict';

// The glosses of 文字蒙求 (chinese-poetry mengxue/wenzimengqiu.json): each entry is a
// head line with one or more characters, each followed by "●" placeholders for the
// seal forms the book prints ("日●", "一●●二●●三●●"), or a single character alone,
// and the gloss on the next line.

const { toLines } = require('./text');

const HAN = /\p{Script=Han}/u;

// The characters a head line introduces, or null when the line is not a head line.
function headCharacters(line) {
  const t = line.trim();
  if (t === '' || !/^[\p{Script=Han}●]+$/u.test(t)) return null;
  const chars = Array.from(t).filter((c) => c !== '●');
  if (chars.length === 0) return null;
  if (!t.includes('●') && chars.length !== 1) return null; // a heading such as "象形"
  return [...new Set(chars)];
}

function wenzimengqiuGlosses(json) {
  const glosses = new Map();
  for (const juan of (json && json.content) || []) {
    const lines = toLines(juan.paragraphs);
    for (let i = 0; i + 1 < lines.length; i++) {
      const chars = headCharacters(lines[i]);
      if (!chars) continue;
      const gloss = lines[i + 1].trim();
      if (headCharacters(gloss) || !HAN.test(gloss)) continue;
      for (const c of chars) {
        if (!glosses.has(c)) glosses.set(c, []);
        if (!glosses.get(c).includes(gloss)) glosses.get(c).push(gloss);
      }
      i++;
    }
  }
  return new Map([...glosses].map(([c, list]) => [c, list.join('\n')]));
}

module.exports = { headCharacters, wenzimengqiuGlosses };
