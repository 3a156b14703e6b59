#!/usr/bin/env python3
"""Runs rx9100 against its built-in simulator with one fault armed per run: every fault
kind at every command line that identify, conditions, measure and remote send, and
prints a table: exit code, the instrument's mode at the end (from the transcript) and
the time taken.

  scripts/fault-matrix.py [--short] [--rx9100 build/cli/rx9100] [--jobs 2]

A cell fails on a hang (no exit within the time limit), on an instrument left in remote
mode while the line still works (any fault but a dropped line), and on a measurement
that holds values the instrument did not send. --short runs a few lines of each command
(the tests do); the exit status is 1 when any cell failed that --known does not list.
"""
import argparse
import concurrent.futures
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import time

FAULTS = ["error:00", "error:10", "leave-remote", "silent", "stray", "garbage:\\xFF~", "nan:57",
          "inf:400", "hangup", "slow:1500"]
# Short names for the table's columns.
COLUMN = {"error:00": "ER00", "error:10": "ER10", "leave-remote": "leave", "silent": "silent",
          "stray": "stray", "garbage:\\xFF~": "garbage", "nan:57": "nan", "inf:400": "inf",
          "hangup": "hangup", "slow:1500": "slow"}

SIMULATOR = ["--sim", "--sim-time-scale", "0.05", "--sim-noise", "0"]
COMMANDS = {
    "identify": ["identify"],
    "conditions": ["conditions", "--set", "speed=manual", "integration=0.1", "sync=internal",
                   "frequency=50"],
    "measure": ["measure", "--format", "json"],
    "remote": ["--sim-key-interval", "0.3", "remote", "--count", "2", "--format", "json"],
}
# The short matrix: connecting, the command's own lines and the return to local mode.
SHORT_LINES = {
    "identify": ["RMTS,1", "IDDR", "RMTS,0"],
    "conditions": ["SPMS", "SCMS", "RMTS,0"],
    "measure": ["MEAS,1", "MEDR,1,1,2", "RMTS,0"],
    "remote": ["MSWE,1", "MEDR,1,1,3", "MSWE,0"],
}
SHORT_FAULTS = ["error:00", "error:10", "leave-remote", "stray", "garbage:\\xFF~", "nan:57",
                "hangup"]
TIME_LIMIT = 90  # seconds; the longest legitimate wait is a 20 s completion plus recovery

ENTRY = re.compile(r"^\S+ \S+ (->|<-) (.*)$")
HEX = re.compile(r"(?<![0-9A-Fa-f])[0-9A-Fa-f]{8}(?![0-9A-Fa-f])")


def transcript(path):
    """(direction, line) pairs, line ends and escapes as written."""
    entries = []
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for text in f:
                m = ENTRY.match(text.rstrip("\n"))
                if m:
                    entries.append((m.group(1), m.group(2).replace("\\r", "").replace("\\n", "")))
    return entries


def instrument_mode(entries):
    """The mode the instrument ended in: each acknowledged RMTS sets it, an ER00 reply
    says it is local. A reply counts by its end: garbage may stand in front of it."""
    mode = "local"
    last_received = None
    for direction, line in entries:
        if direction == "->":
            last_received = line
        elif line.endswith("ER00"):
            mode = "local"
        elif line.endswith("OK00") and last_received in ("RMTS,1", "RMTS,0"):
            mode = "remote" if last_received == "RMTS,1" else "local"
    return mode


def sent_values(entries):
    """Bits of every single-precision value the instrument sent."""
    bits = set()
    for direction, line in entries:
        if direction == "<-":
            bits.update(int(token, 16) for token in HEX.findall(line))
    return bits


def invented_values(output, entries):
    """Text describing the first value of a measurement that the instrument never sent."""
    bits = sent_values(entries)
    for text in output.splitlines():
        try:
            values = json.loads(text)["spectrum"]["values"]
        except (ValueError, KeyError, TypeError):
            continue
        if len(values) != 401:
            return f"{len(values)} values"
        for i, value in enumerate(values):
            if value is None:
                return f"value {i} missing"
            single = struct.unpack("<I", struct.pack("<f", value))[0]
            if single not in bits:
                return f"value {i} = {value:g} was never sent"
    return None


def run(rx9100, command, fault, folder):
    settings = os.path.join(folder, "settings")
    trace = os.path.join(folder, "transcript")
    args = [rx9100, "--settings", settings] + SIMULATOR + ["--sim-transcript", trace]
    if fault:
        args += ["--sim-fault", fault]
    args += COMMANDS[command]
    start = time.monotonic()
    try:
        done = subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              errors="replace", timeout=TIME_LIMIT)
        code = done.returncode
        output = done.stdout
        errors = done.stderr
    except subprocess.TimeoutExpired as e:
        code = None
        output = e.stdout.decode(errors="replace") if isinstance(e.stdout, bytes) else ""
        errors = ""
    seconds = time.monotonic() - start
    entries = transcript(trace)
    return code, instrument_mode(entries), seconds, output, entries, errors


def lines_of(rx9100, command):
    """The command lines a clean run sends, in order of their first appearance."""
    with tempfile.TemporaryDirectory(prefix="rx9100-matrix-") as folder:
        code, _, _, _, entries, _ = run(rx9100, command, None, folder)
    if code != 0:
        sys.exit(f"fault-matrix: rx9100 {command} fails without a fault (exit {code})")
    seen = []
    for direction, line in entries:
        if direction == "->" and line not in seen:
            seen.append(line)
    return seen


def judge(command, fault, result):
    code, mode, seconds, output, entries, errors = result
    problems = []
    if code is None:
        problems.append("hang")
    # After no reply in time (error 99, or a last line the instrument never answered) the
    # driver must not talk to the instrument, so it cannot send it back either.
    out_of_reach = "error 99" in errors or (entries and entries[-1][0] == "->")
    if mode == "remote" and not (fault or "").endswith("hangup") and not out_of_reach:
        problems.append("left remote")
    if code == 0 and command in ("measure", "remote"):
        invented = invented_values(output, entries)
        if invented:
            problems.append("invented: " + invented)
    cell = f"{'hang' if code is None else code}/{'R' if mode == 'remote' else 'L'}/{seconds:.1f}"
    said = next((line for line in errors.splitlines() if line.startswith("rx9100:")), "")
    if problems and said:
        problems[-1] += f" [{said[len('rx9100: '):][:100]}]"
    return cell, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--short", action="store_true", help="the few cells the tests run")
    parser.add_argument("--rx9100", default=os.path.join(os.path.dirname(__file__), "..",
                                                         "build", "cli", "rx9100"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--known", metavar="FILE",
                        help="cells that fail for known open findings: shown, not failing")
    options = parser.parse_args()
    rx9100 = os.path.abspath(options.rx9100)
    began = time.monotonic()

    cells = []  # (command, line, fault)
    for command in COMMANDS:
        lines = SHORT_LINES[command] if options.short else lines_of(rx9100, command)
        faults = SHORT_FAULTS if options.short else FAULTS
        cells += [(command, line, fault) for line in lines for fault in faults]

    results = {}
    with tempfile.TemporaryDirectory(prefix="rx9100-matrix-") as root:
        with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
            futures = {}
            for n, (command, line, fault) in enumerate(cells):
                folder = os.path.join(root, str(n))
                os.makedirs(folder)
                futures[pool.submit(run, rx9100, command, f"{line}:{fault}", folder)] = (
                    command, line, fault)
            for future in concurrent.futures.as_completed(futures):
                results[futures[future]] = future.result()

    known = read_known(options.known)
    faults = SHORT_FAULTS if options.short else FAULTS
    print("Fault matrix: exit code / instrument mode at the end (L local, R remote) / seconds;")
    print("! a failing cell, ? one that fails for a known open finding")
    width = 24
    header = f"{'command':<11}{'fault at line':<{width}}" + "".join(
        f"{COLUMN[f]:>15}" for f in faults)
    failures, known_seen, fixed = [], [], []
    rows = list(dict.fromkeys((command, line) for command, line, _ in cells))
    for n, (command, line) in enumerate(rows):
        if n == 0 or rows[n - 1][0] != command:
            print("\n" + header)
        row = f"{command:<11}{line[:width - 1]:<{width}}"
        for f in faults:
            name = f"{command} {line}:{f}"
            cell, problems = judge(command, f"{line}:{f}", results[(command, line, f)])
            mark = " "
            if problems and name in known:
                mark = "?"
                known_seen += [f"{name}: {p} ({cell})" for p in problems]
            elif problems:
                mark = "!"
                failures += [f"{name}: {p} ({cell})" for p in problems]
            elif name in known:
                fixed.append(name)
            row += f"{cell + mark:>15}"
        print(row)
    print(f"\n{len(cells)} runs in {time.monotonic() - began:.0f} s; {len(failures)} failing, "
          f"{len(known_seen)} known open findings")
    for title, items in (("failing", failures), ("known open findings", known_seen),
                         ("known findings that pass now (remove them from the list)", fixed)):
        if items:
            print(f"{title}:")
            for item in items:
                print("  " + item)
    return 1 if failures else 0


def read_known(path):
    """Cells ("COMMAND LINE:FAULT") that fail for findings known and being fixed."""
    if not path or not os.path.exists(path):
        return set()
    with open(path, encoding="utf-8") as f:
        return {line.strip() for line in f if line.strip() and not line.startswith("#")}


if __name__ == "__main__":
    sys.exit(main())
