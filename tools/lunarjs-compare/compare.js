// Compares the engine's day records with lunar-javascript, day by day.
//   npm install            (once, in this folder)
//   veskorili-cal days 1900-01-01 2100-12-31 --csv > days.csv
//   node compare.js days.csv
// Prints the number of differing days, then each difference as
// "ymd column ours theirs". Only the engine's leading columns are compared:
// lunar year, month, leap flag, day, the three stem-branch pairs (year from
// 立春, month from the day of each 节) and the solar term of the day.
'use strict';
const fs = require('fs');
const {Solar} = require('lunar-javascript');

const TERMS = ['冬至', '小寒', '大寒', '立春', '雨水', '惊蛰', '春分', '清明', '谷雨', '立夏', '小满', '芒种',
               '夏至', '小暑', '大暑', '立秋', '处暑', '白露', '秋分', '寒露', '霜降', '立冬', '小雪', '大雪'];
const STEMS = '甲乙丙丁戊己庚辛壬癸';
const BRANCHES = '子丑寅卯辰巳午未申酉戌亥';
const COLUMNS = ['lunar_year', 'lunar_month', 'leap', 'lunar_day', 'year_stem', 'year_branch',
                 'month_stem', 'month_branch', 'day_stem', 'day_branch', 'solar_term'];

function theirs(ymd) {
  const y = Math.floor(ymd / 10000), m = Math.floor(ymd / 100) % 100, d = ymd % 100;
  const l = Solar.fromYmd(y, m, d).getLunar();
  const yg = l.getYearInGanZhiByLiChun(), mg = l.getMonthInGanZhi(), dg = l.getDayInGanZhi();
  const term = l.getJieQi();
  return {
    lunar_year: l.getYear(), lunar_month: Math.abs(l.getMonth()), leap: l.getMonth() < 0 ? 1 : 0,
    lunar_day: l.getDay(),
    year_stem: STEMS.indexOf(yg[0]), year_branch: BRANCHES.indexOf(yg[1]),
    month_stem: STEMS.indexOf(mg[0]), month_branch: BRANCHES.indexOf(mg[1]),
    day_stem: STEMS.indexOf(dg[0]), day_branch: BRANCHES.indexOf(dg[1]),
    solar_term: term ? TERMS.indexOf(term) : -1,
  };
}

const lines = fs.readFileSync(process.argv[2], 'utf8').trim().split('\n');
const header = lines[0].split(',');
const differing = new Set();
const report = [];
for (const line of lines.slice(1)) {
  const f = line.split(',');
  const ours = Object.fromEntries(header.map((h, i) => [h, f[i]]));
  const t = theirs(Number(ours.ymd));
  for (const c of COLUMNS) {
    if (String(t[c]) !== ours[c]) {
      differing.add(ours.ymd);
      report.push(`${ours.ymd} ${c} ${ours[c]} ${t[c]}`);
    }
  }
}
console.log(`${differing.size} differing days of ${lines.length - 1}`);
for (const r of report) console.log(r);
