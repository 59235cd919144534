#!/usr/bin/env python3
"""Prints the mkmdb description of the benchmark database: 2,000 tables of 20 columns, 500 select
queries over them, and one table of 255 columns with a two-field key, named "Wide"."""

import json
import sys

TYPES = ["long", "text", "integer", "datetime", "currency", "double", "boolean", "memo", "byte",
         "single", "guid", "decimal", "binary", "ole"]


def column(name, index):
    kind = TYPES[index % len(TYPES)]
    described = {"name": name, "type": kind}
    if kind in ("text", "binary"):
        described["size"] = 50
    return described


def main():
    tables = []
    for t in range(1, 2001):
        columns = [column("ID", 0)] + [column(f"Field {c:02d} of table {t}", c) for c in range(1, 20)]
        tables.append({"name": f"Table {t:04d}", "columns": columns,
                       "indexes": [{"name": "PrimaryKey", "columns": ["ID"], "primary": True}]})
    wide = [column(f"Column {c:03d}", c) for c in range(255)]
    tables.append({"name": "Wide", "columns": wide,
                   "indexes": [{"name": "PrimaryKey", "primary": True,
                                "columns": ["Column 000", "Column 002"]},
                               {"name": "By text", "columns": ["Column 001"]}]})
    queries = []
    for q in range(1, 501):
        source = f"Table {q * 4:04d}"
        queries.append({"name": f"Query {q:03d}", "type": "select",
                        "inputs": [{"table": source, "alias": "t"}],
                        "outputs": ["t.ID", f"t.[Field 01 of table {q * 4}]",
                                    {"expression": "t.ID * 2", "alias": "Twice"}],
                        "where": "t.ID > 10"})
    json.dump({"tables": tables, "queries": queries}, sys.stdout)


if __name__ == "__main__":
    main()
