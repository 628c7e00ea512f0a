// CPU of a browser's processes from /proc, by kind: the page's (Chromium's
// renderer, Firefox's web content), the GPU process, the audio (Chromium's
// audio service, Firefox's RDD/utility processes) and the browser itself.
import { readdirSync, readFileSync } from 'node:fs';

function kind(command) {
  if (!/--type=|-contentproc/.test(command)) return 'browser';
  if (command.includes('--type=renderer') || (command.includes('-contentproc') && /\btab\b|isForBrowser/.test(command))) return 'page';
  if (command.includes('--type=gpu-process') || /-contentproc.*\bgpu\b/.test(command)) return 'gpu';
  if (/--utility-sub-type=audio/.test(command) || /-contentproc.*\b(rdd|utility)\b/.test(command)) return 'audio';
  return 'other';
}

function parent_of(pid) {
  const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
  return Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
}

// CPU seconds so far by kind, of the process `root` and its descendants.
function seconds_by_kind(root) {
  const totals = {};
  const hz = 100;
  for (const pid of readdirSync('/proc').filter(p => /^\d+$/.test(p))) {
    try {
      let p = Number(pid), inside = p === root;
      for (let i = 0; i < 20 && !inside && p > 1; i++) inside = (p = parent_of(p)) === root;
      if (!inside) continue;
      const command = readFileSync(`/proc/${pid}/cmdline`, 'utf8').replace(/\0/g, ' ');
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const k = kind(command);
      totals[k] = (totals[k] || 0) + (Number(fields[11]) + Number(fields[12])) / hz;
    } catch { /* gone meanwhile */ }
  }
  return totals;
}

// Called once to start (returns the counts), then with them and the seconds
// passed: returns "page N, gpu N, ..., all N" in % of a core.
export function page_cpu(root, before, seconds) {
  const now = seconds_by_kind(root);
  if (!before) return now;
  const kinds = [...new Set([...Object.keys(now), ...Object.keys(before)])].sort();
  let all = 0;
  const parts = kinds.map(k => {
    const share = ((now[k] || 0) - (before[k] || 0)) / seconds * 100;
    all += share;
    return `${k} ${share.toFixed(0)}`;
  });
  return `${parts.join(', ')}, all ${all.toFixed(0)}`;
}
