// Prints what the npm package mdb-reader (a reader independent of libmdb) sees in a database:
// node read-with-mdb-reader.mjs MODULE_DIR DATABASE [PASSWORD]
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [moduleDir, database, password] = process.argv.slice(2);
const entry = createRequire(join(moduleDir, "package.json")).resolve("mdb-reader");
const { default: MDBReader } = await import(pathToFileURL(entry).href);

const plain = (value) => {
  if (Buffer.isBuffer(value)) return value.toString("hex");
  if (value instanceof Date) return value.toISOString();
  return value;
};

const reader = new MDBReader(readFileSync(database), { password });
const tables = reader.getTableNames().map((name) => {
  const table = reader.getTable(name);
  return {
    name,
    columns: table.getColumns().map((c) => ({ name: c.name, type: c.type, size: c.size })),
    rows: table.getData().map((row) => table.getColumnNames().map((c) => plain(row[c]))),
  };
});
const systemTables = reader.getTableNames({ normalTables: false, systemTables: true });
console.log(JSON.stringify({ password: reader.getPassword(), systemTables, tables }));
