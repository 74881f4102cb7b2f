#!/usr/bin/env node
// Generates yj.db, the almanac (黄历) database: for every day from 1900-01-01
// to 2100-12-31 the activities the traditional rules call advisable (宜) and
// inadvisable (忌).
//
// Source: the npm package `lunar-javascript` (version pinned in package.json
// and package-lock.json), which derives 宜 and 忌 from the day's stem-branch,
// its officer (建除十二神) and the month by the traditional rule tables.
//
// Output: an SQLite 3 file with one table, one row per day:
//   CREATE TABLE YiJi(date INTEGER, yi TEXT, ji TEXT)
//   date = year * 10000 + month * 100 + day; yi, ji = activities separated by
//   single spaces (UTF-8), e.g. "祭祀 斋醮 纳财".
// plus a unique index on `date`, which keeps the program's lookup
// (SELECT yi,ji FROM YiJi WHERE date=N) from scanning the table and guarantees
// the one-row-per-date rule.
//
// The database is written by the `sqlite3` command-line program (Debian
// package `sqlite3`), fed SQL text on its standard input; it is needed only
// here, not to build or run the program. The file is written beside the
// target and renamed over it when complete.
//
// Usage: node generate.js <output path>      (see tools/README.md)

'use strict';

const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { Solar } = require('lunar-javascript');
const packageVersion = require('lunar-javascript/package.json').version;

const kFirst = [1900, 1, 1];
const kLastYear = 2100;

function fail(message) {
  process.stderr.write(`generate.js: ${message}\n`);
  process.exit(1);
}

function sqlText(text) {
  return `'${text.replace(/'/g, "''")}'`;
}

// Activities of one list joined by single spaces; a name never holds blanks.
function joinActivities(list, date) {
  for (const name of list) {
    if (name.length === 0 || /\s/.test(name)) fail(`${date}: activity "${name}" is empty or holds a blank`);
  }
  return list.join(' ');
}

function buildSql() {
  const parts = [];
  parts.push('PRAGMA journal_mode=OFF;');
  parts.push('BEGIN;');
  parts.push(`-- 宜/忌 from lunar-javascript ${packageVersion}`);
  parts.push('CREATE TABLE YiJi(date INTEGER, yi TEXT, ji TEXT);');
  let rows = 0;
  let day = Solar.fromYmd(...kFirst);
  while (day.getYear() <= kLastYear) {
    const date = day.getYear() * 10000 + day.getMonth() * 100 + day.getDay();
    const lunar = day.getLunar();
    const yi = joinActivities(lunar.getDayYi(), date);
    const ji = joinActivities(lunar.getDayJi(), date);
    parts.push(`INSERT INTO YiJi VALUES(${date},${sqlText(yi)},${sqlText(ji)});`);
    rows += 1;
    day = day.next(1);
  }
  parts.push('CREATE UNIQUE INDEX YiJiDate ON YiJi(date);');
  parts.push('COMMIT;');
  parts.push('VACUUM;');
  return { sql: parts.join('\n') + '\n', rows };
}

function main() {
  const out = process.argv[2];
  if (!out) fail('usage: node generate.js <output path>');
  const target = path.resolve(out);
  const partial = `${target}.partial`;
  fs.mkdirSync(path.dirname(target), { recursive: true });
  fs.rmSync(partial, { force: true });

  const { sql, rows } = buildSql();
  const run = spawnSync('sqlite3', ['-bail', partial], { input: sql, maxBuffer: 1 << 20 });
  if (run.error) fail(`cannot run sqlite3 (apt-get install sqlite3): ${run.error.message}`);
  if (run.status !== 0) fail(`sqlite3 failed: ${run.stderr.toString()}`);

  const check = spawnSync('sqlite3', [partial, 'SELECT count(*), min(date), max(date) FROM YiJi;']);
  const expected = `${rows}|19000101|21001231`;
  if (check.status !== 0 || check.stdout.toString().trim() !== expected) {
    fail(`check failed: got "${check.stdout.toString().trim()}", expected "${expected}"`);
  }
  fs.renameSync(partial, target);
  process.stdout.write(`${out}: ${rows} days, ${fs.statSync(target).size} bytes\n`);
}

main();
