#!/usr/bin/env python3
"""Runs generated pages in Wine's VBScript engine with stand-ins for the ASP objects.

For each page state and form method, ombrix-cli writes the page; each case then sends it one
request and compares what the page ran and wrote (the stand-ins' log) with the case's lines.
Usage: run_pages.py OMBRIX_CLI CASES_JSON STAND_INS_VBS WORK_DIR
"""
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path


def vbs_string(text):
    """A VBScript expression for text: literals joined with Chr() for characters a literal cannot
    hold."""
    parts, literal = [], ""
    for c in text:
        if c in "\0\r\n":
            if literal:
                parts.append('"' + literal + '"')
            parts.append("Chr(%d)" % ord(c))
            literal = ""
        else:
            literal += '""' if c == '"' else c
    if literal or not parts:
        parts.append('"' + literal + '"')
    return " & ".join(parts)


def page_body(page):
    """The page's script without its delimiters and Option Explicit, which must open the script."""
    lines = page.split("\r\n")
    inner = lines[1:-2]
    if lines[0] != "<%" or lines[-2:] != ["%>", ""] or any("%>" in l or "<%" in l for l in inner):
        raise ValueError("the page is not one script block between <% and %>")
    body = [l for l in inner if l != "Option Explicit"]
    if len(body) != len(inner) - 1:
        raise ValueError("the page has no Option Explicit line")
    return re.sub(r"\bResponse\.End\b", "Response.Finish", "\r\n".join(body))


def case_script(stand_ins, body, case, method):
    """The stand-ins, the request and record of case, then the page: "values" come by the form's
    method, "posted" values always by Request.Form (the delete confirmation always posts)."""
    setup = ['PageLog.Open "log.txt"']
    to_form = "Request.Post " if method == "Post" else "Request.AddQuery "
    for name, value in case.get("values", {}).items():
        setup.append(to_form + vbs_string(name) + ", " + vbs_string(value))
    for name, value in case.get("posted", {}).items():
        setup.append("Request.Post " + vbs_string(name) + ", " + vbs_string(value))
    for name, value in case.get("record", {}).items():
        shown = "Null" if value is None else vbs_string(value)
        setup.append("Record.Add " + vbs_string(name) + ", " + shown)
    return "\r\n".join(["Option Explicit", stand_ins, *setup, body, 'PageLog.Finish "DONE"', ""])


def run_script(work, script, env):
    """Runs script in its own folder work and gives the lines of its log."""
    work.mkdir(parents=True, exist_ok=True)
    (work / "page.vbs").write_bytes(script.encode("ascii"))
    log = work / "log.txt"
    log.unlink(missing_ok=True)
    # cscript reads a path starting with "/" as an option, so it runs in the script's folder; its
    # helper processes keep pipes open, so its own output goes to a file.
    with open(work / "wine-output.txt", "wb") as output:
        subprocess.run(["wine", "cscript.exe", "//nologo", "page.vbs"], cwd=work, env=env,
                       stdin=subprocess.DEVNULL, stdout=output, stderr=output, timeout=300)
    return log.read_text(encoding="ascii").splitlines() if log.exists() else []


def main():
    cli, cases_path, stand_ins_path, work = sys.argv[1:5]
    if shutil.which("wine") is None:
        print("FAIL: wine is not installed (scripts/setup installs it)")
        return 1
    work = Path(work)
    work.mkdir(parents=True, exist_ok=True)
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    # The prefix is made on the first run (about 10 s) and kept in the build folder; no Mono or
    # Gecko is needed.
    env.update(WINEPREFIX=str(work / "wineprefix"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    data = json.loads(Path(cases_path).read_text(encoding="utf-8"))
    stand_ins = Path(stand_ins_path).read_text(encoding="ascii").replace("\n", "\r\n")

    check = "\r\n".join(["Option Explicit", stand_ins, 'PageLog.Open "log.txt"',
                          'PageLog.Finish "DONE"', ""])
    if run_script(work / "check", check, env) != ["DONE"]:
        print("FAIL: Wine's cscript.exe does not run the stand-ins (see %s)"
              % (work / "check" / "wine-output.txt"))
        return 1

    runs = []
    for method in ("Post", "Get"):
        for page_name, state in data["pages"].items():
            state_file = work / ("%s-%s.json" % (page_name, method))
            items = [name + " " * 100 + "\t" + prefix for name, prefix in state["fields"]]
            state_file.write_text(json.dumps(dict(state, fields=items, method=method)),
                                  encoding="utf-8")
            page = subprocess.run([cli, "generate", "--state", str(state_file)], check=True,
                                  capture_output=True).stdout.decode("utf-8")
            body = page_body(page)
            for case in (c for c in data["cases"] if c["page"] == page_name):
                # A long line may be given in pieces.
                expected = [("".join(line) if isinstance(line, list) else line)
                            .replace("{method}", method) for line in case["log"]]
                runs.append(("%s, %s, %s" % (page_name, method, case["name"]), expected,
                             case_script(stand_ins, body, case, method)))

    def run(numbered):
        number, (title, expected, script) = numbered
        return title, expected, run_script(work / ("case%02d" % number), script, env)

    failures = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for title, expected, actual in pool.map(run, enumerate(runs)):
            if actual == expected:
                print("ok: " + title)
                continue
            failures += 1
            print("FAIL: " + title)
            for i in range(max(len(expected), len(actual))):
                want = expected[i] if i < len(expected) else "(nothing)"
                got = actual[i] if i < len(actual) else "(nothing: the script stopped)"
                if want != got:
                    print("  line %d\n    expected: %s\n    actual:   %s" % (i + 1, want, got))
                    break
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
