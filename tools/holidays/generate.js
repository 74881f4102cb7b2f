#!/usr/bin/env node
// Generates holiday.xml, the public-holiday schedule the calendar shows
// (休 rest days, 班 swapped working days and the holiday names in the cells).
//
// Source: the npm package `chinese-days` (version pinned in package.json and
// package-lock.json), which carries the State Council's yearly schedules.
// Every year the package has is written out; a new year is one
// `npm install chinese-days@<newer> --save-exact` and one run away.
//
// Output format (read by calendar/HolidayTable.cpp):
//   <Holiday>
//     <Fests> <Fest ID="n" Day="yyyymmdd" Desc="名称"/> ... </Fests>
//     <Duty>  <Day ID="n">yyyymmdd</Day> ... </Duty>   swapped working days
//     <Free>  <Day ID="n">yyyymmdd</Day> ... </Free>   every rest day
//   </Holiday>
// One Fest per statutory holiday, on the holiday's own day only (元旦 on 1/1,
// 春节 on 正月初一, 清明节 on the day of 清明, 劳动节 on 5/1, 端午节 on 五月初五,
// 中秋节 on 八月十五, 国庆节 on 10/1), so that the other rest days of a block keep
// their own cell text (除夕, solar terms, lunar days) and show the 休 badge.
// A holiday gets its Fest only in years whose schedule names it (清明节, 端午节
// and 中秋节 became rest days in 2008).
//
// The package lists the days a notice names. Where a notice says a holiday
// "joins the weekend" (与周末连休, e.g. 端午节 2024: 6/10 off, 6/8-6/9 with it),
// the package leaves those weekend days out, and in 2011, 2012 and 2015 it
// leaves a weekend day out of the middle of the 端午 block. Both are rest days
// of the announced holiday period, so every Saturday or Sunday next to a listed
// rest day falling on a weekday (Monday to Friday), and the weekend day after
// it, is added to Free unless it is a swapped working day. A holiday that
// itself falls on a weekend (中秋节 2015-09-27, a Sunday) joins nothing.
//
// The output holds no time stamp: the same package version gives the same file.
//
// Usage: node generate.js <output path>      (see tools/README.md)

'use strict';

const fs = require('fs');
const path = require('path');
const chineseDays = require('chinese-days');
const schedule = require('chinese-days/dist/chinese-days.json');
const packageVersion = require('chinese-days/package.json').version;

// Statutory holidays in the order their Fest entries are written when two fall
// on one day (2020-10-01 was both 国庆节 and 中秋节; the cell shows the first).
// `name` is the package's English name, `own(year)` the holiday's own day.
const kHolidays = [
  { name: "New Year's Day", desc: '元旦', own: (y) => `${y}-01-01` },
  { name: 'Spring Festival', desc: '春节', own: (y) => lunarToSolar(y, 1, 1) },
  { name: 'Tomb-sweeping Day', desc: '清明节', own: (y) => chineseDays.getSolarTermDate(y, 4, 'pure_brightness') },
  { name: 'Labour Day', desc: '劳动节', own: (y) => `${y}-05-01` },
  { name: 'Dragon Boat Festival', desc: '端午节', own: (y) => lunarToSolar(y, 5, 5) },
  { name: 'National Day', desc: '国庆节', own: (y) => `${y}-10-01` },
  { name: 'Mid-autumn Festival', desc: '中秋节', own: (y) => lunarToSolar(y, 8, 15) },
  { name: 'Anti-Fascist 70th Day', desc: '抗战胜利纪念日', own: (y) => `${y}-09-03` },
];

function pad2(n) {
  return String(n).padStart(2, '0');
}

// Gregorian date (yyyy-mm-dd) of a non-leap lunar month/day of lunar year y.
function lunarToSolar(y, month, day) {
  return chineseDays.getSolarDateFromLunar(`${y}-${pad2(month)}-${pad2(day)}`).date;
}

function dateInt(isoDate) {
  return Number(isoDate.replace(/-/g, ''));
}

function englishName(value) {
  return value.split(',')[0];
}

// Groups the package's {date: "English,中文,days"} maps by year.
function byYear(map) {
  const years = new Map();
  for (const [date, value] of Object.entries(map)) {
    const y = Number(date.slice(0, 4));
    if (!years.has(y)) years.set(y, []);
    years.get(y).push({ date, name: englishName(value) });
  }
  for (const list of years.values()) list.sort((a, b) => a.date.localeCompare(b.date));
  return years;
}

const kDayMs = 86400000;

function isoOf(ms) {
  return new Date(ms).toISOString().slice(0, 10);
}

function msOf(isoDate) {
  return Date.parse(`${isoDate}T00:00:00Z`);
}

function isWeekend(ms) {
  const wd = new Date(ms).getUTCDay();
  return wd === 0 || wd === 6;
}

// The package's rest days plus the weekend days that join a holiday block
// (see the header). Returns {date: "English,中文,days"} like the package's map.
function withJoinedWeekends(restMap, workMap) {
  const result = { ...restMap };
  const added = [];
  for (const date of Object.keys(restMap)) {
    if (isWeekend(msOf(date))) continue;
    for (const step of [-kDayMs, kDayMs]) {
      for (let ms = msOf(date) + step; isWeekend(ms); ms += step) {
        const iso = isoOf(ms);
        if (workMap[iso] || result[iso]) break;
        result[iso] = restMap[date];
        added.push(iso);
      }
    }
  }
  return { rest: result, added: added.sort() };
}

function fail(message) {
  process.stderr.write(`generate.js: ${message}\n`);
  process.exit(1);
}

// Fest entries of one year: each holiday the year's schedule names, on its own day,
// which must itself be a rest day of the schedule.
function festsOfYear(year, restDays) {
  const restDates = new Set(restDays.map((d) => d.date));
  const named = new Set(restDays.map((d) => d.name));
  const fests = [];
  for (const h of kHolidays) {
    if (!named.has(h.name)) continue;
    const own = h.own(year);
    if (!restDates.has(own)) fail(`${h.desc} ${year}: own day ${own} is not a rest day of the schedule`);
    fests.push({ date: own, desc: h.desc });
  }
  for (const d of restDays) {
    if (!kHolidays.some((h) => h.name === d.name)) fail(`${d.date}: unknown holiday "${d.name}"`);
  }
  // Stable: same-day entries keep the order of kHolidays.
  return fests.sort((a, b) => a.date.localeCompare(b.date));
}

function escapeXml(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

function main() {
  const out = process.argv[2];
  if (!out) fail('usage: node generate.js <output path>');

  const joined = withJoinedWeekends(schedule.holidays, schedule.workdays);
  const rest = byYear(joined.rest);
  const work = byYear(schedule.workdays);
  const years = [...rest.keys()].sort((a, b) => a - b);
  if (years.length === 0) fail('the package carries no schedule');

  const fests = [];
  const duty = [];
  const free = [];
  for (const y of years) {
    const restDays = rest.get(y);
    for (const f of festsOfYear(y, restDays)) fests.push({ year: y, ...f });
    for (const d of work.get(y) || []) duty.push({ year: y, date: d.date });
    for (const d of restDays) free.push({ year: y, date: d.date });
  }

  const lines = [];
  lines.push('<?xml version="1.0" encoding="utf-8"?>');
  lines.push(`<!-- Public-holiday schedule ${years[0]}-${years[years.length - 1]}, generated by tools/holidays/generate.js`);
  lines.push(`     from the npm package chinese-days ${packageVersion}. Do not edit by hand. -->`);
  lines.push('<Holiday>');
  const section = (tag, items, render) => {
    lines.push(`  <${tag}>`);
    let lastYear = 0;
    items.forEach((item, i) => {
      if (item.year !== lastYear) lines.push(`    <!-- ${item.year} -->`);
      lastYear = item.year;
      lines.push(`    ${render(item, i + 1)}`);
    });
    lines.push(`  </${tag}>`);
  };
  section('Fests', fests, (f, id) => `<Fest ID="${id}" Day="${dateInt(f.date)}" Desc="${escapeXml(f.desc)}"/>`);
  section('Duty', duty, (d, id) => `<Day ID="${id}">${dateInt(d.date)}</Day>`);
  section('Free', free, (d, id) => `<Day ID="${id}">${dateInt(d.date)}</Day>`);
  lines.push('</Holiday>');

  fs.mkdirSync(path.dirname(path.resolve(out)), { recursive: true });
  fs.writeFileSync(out, lines.join('\n') + '\n');
  process.stdout.write(
    `${out}: years ${years[0]}-${years[years.length - 1]}, ${fests.length} holidays, ` +
      `${duty.length} working days, ${free.length} rest days ` +
      `(${joined.added.length} joined weekend days: ${joined.added.join(' ')})\n`,
  );
}

main();
