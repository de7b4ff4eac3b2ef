// Tables from the CSV the module wrote, built from text nodes only, and file downloads.
const kShownRows = 1000;

// RFC 4180 CSV into rows of cells.
export function parseCsv(text) {
  const rows = [];
  let row = [];
  let cell = '';
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { cell += '"'; i++; } else if (c === '"') quoted = false; else cell += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(cell); cell = ''; }
    else if (c === '\r') continue;
    else if (c === '\n') { row.push(cell); rows.push(row); row = []; cell = ''; }
    else cell += c;
  }
  if (cell !== '' || row.length) { row.push(cell); rows.push(row); }
  return rows;
}

// The reason a convergence row is marked, for its cells' titles.
function rowReason(header, row) {
  const at = (name) => row[header.indexOf(name)];
  if (at('stable') === 'no') return 'Unstable: h is beyond the stability limit on this equation';
  if (at('resolved') === 'no') return 'Unresolved: the error is within 10 times the reference\'s accuracy';
  return '';
}

export function renderTable(container, csv, name) {
  container.replaceChildren();
  if (!csv) return;
  const [header, ...rows] = parseCsv(csv);
  const table = document.createElement('table');
  const caption = document.createElement('caption');
  caption.textContent = rows.length > kShownRows
    ? `${name}: the first ${kShownRows} of ${rows.length} rows (the CSV download has all)` : name;
  table.append(caption);
  const head = table.createTHead().insertRow();
  for (const h of header) {
    const th = document.createElement('th');
    th.scope = 'col'; th.textContent = h; head.append(th);
  }
  const body = table.createTBody();
  for (const row of rows.slice(0, kShownRows)) {
    const tr = body.insertRow();
    const reason = header.includes('stable') ? rowReason(header, row) : '';
    if (reason) { tr.className = 'marked'; tr.title = reason; }
    for (const cell of row) tr.insertCell().textContent = cell;
  }
  container.append(table);
}

// Rows chosen by a click or, with the table focused, by the arrow keys, Home and End; `first`
// is the lowest row that can be chosen. The chosen row is marked for the eye and for a screen
// reader, and `choose` gets its index among the body's rows.
export function selectableRows(container, chosen, first, choose) {
  const table = container.querySelector('table');
  if (!table) return;
  const rows = table.tBodies[0].rows;
  const mark = (index, scroll) => {
    for (const tr of table.querySelectorAll('tr[aria-selected=true]')) tr.setAttribute('aria-selected', 'false');
    const tr = rows[index];
    if (!tr) return;
    tr.setAttribute('aria-selected', 'true');
    table.setAttribute('aria-activedescendant', tr.id);
    if (scroll) tr.scrollIntoView({ block: 'nearest' });
  };
  const pick = (index) => {
    const to = Math.min(Math.max(first, index), rows.length - 1);
    mark(to, true);
    choose(to);
  };
  for (let i = 0; i < rows.length; i++) { rows[i].id = `${container.id}-row${i}`; rows[i].setAttribute('aria-selected', 'false'); }
  table.tabIndex = 0;
  table.classList.add('selectable');
  table.setAttribute('aria-label', `${table.caption?.textContent ?? ''}: choose a row with the arrow keys`);
  table.addEventListener('click', (e) => { const tr = e.target.closest('tbody tr'); if (tr) pick(tr.sectionRowIndex); });
  table.addEventListener('keydown', (e) => {
    const at = Array.prototype.findIndex.call(rows, (tr) => tr.getAttribute('aria-selected') === 'true');
    const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: first, End: rows.length - 1, PageDown: at + 10, PageUp: at - 10 }[e.key];
    if (to === undefined) return;
    e.preventDefault();
    pick(to);
  });
  mark(Math.min(Math.max(first, chosen), rows.length - 1), false);
}

export function download(data, name, type) {
  const blob = data instanceof Blob ? data : new Blob([data], { type });
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}
