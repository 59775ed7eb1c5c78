#!/usr/bin/env python3
"""Kills Ravo.exe (or the whole Wine server) in the middle of a day entry's
save, timed on the save's own file events, then starts it again and checks
what is left: every year file whole, the year wholly the old or wholly the
new one, nothing left over, every day backup whole. The rounds take turns:
the year's three tables; the tables with a visits file (written anew in
the program's own form); and a second save killed after a first one that
found a file held by another program and left its commit waiting.

Run by scripts/crash-test ROUNDS inside the build's Wine prefix, with
DISPLAY and WINEPREFIX set."""
import ctypes
import datetime
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "win")
PREFIX = os.environ["WINEPREFIX"]

AMOUNTS, MEMOS, DAY_OFF = 1488, 7812, 372
OLD = (1000, b"AAAA", 0)
NEW = (2000, b"BBBB", 1)
FIRST = (42, b"CCCC", 1)  # the save that finds a file held
# A visits file as a spreadsheet saves it, then as the program writes it.
VISITS_RESAVED = "日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n1月10日,競馬,東京,,1000,3000,10:00:00,12:30:00,\r\n"
VISITS_OWN = ("\ufeff日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n"
              "{year}/01/10,競馬,東京,,1000,3000,10:00,12:30,\r\n")
KINDS = ("tables", "visits", "held")

# inotify, through ctypes: the events of the save's own files.
IN_MODIFY, IN_CLOSE_WRITE, IN_MOVED_FROM, IN_MOVED_TO = 0x2, 0x8, 0x40, 0x80
IN_CREATE, IN_DELETE = 0x100, 0x200
WATCHED = IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE | IN_DELETE
libc = ctypes.CDLL("libc.so.6", use_errno=True)


class Watch:
    def __init__(self, folders):
        self.fd = libc.inotify_init1(os.O_NONBLOCK)
        for folder in folders:
            libc.inotify_add_watch(self.fd, folder.encode(), WATCHED)
        self.count = 0

    def poll(self):
        """Counts the events that arrived; returns the new total."""
        try:
            data = os.read(self.fd, 65536)
        except BlockingIOError:
            return self.count
        offset = 0
        while offset < len(data):
            length = struct.unpack_from("iIII", data, offset)[3]
            self.count += 1
            offset += 16 + length
        return self.count

    def close(self):
        os.close(self.fd)


def year_files(day, state):
    amount, memo, day_off = state
    slot = (day.month - 1) * 31 + day.day - 1
    amounts = bytearray(AMOUNTS)
    struct.pack_into("<i", amounts, slot * 4, amount)
    memos = bytearray(MEMOS)
    memos[slot * 21:slot * 21 + len(memo)] = memo
    marks = bytearray(DAY_OFF)
    marks[slot] = day_off
    return {f"{day.year}.dat": bytes(amounts), f"{day.year}m.dat": bytes(memos), f"{day.year}h.dat": bytes(marks)}


def visits_name(day):
    return f"{day.year}d.csv"


def old_files(day, kind):
    files = year_files(day, OLD)
    if kind == "visits":
        files[visits_name(day)] = VISITS_RESAVED.encode()
    return files


def program_folder(round_number, day, kind):
    folder = tempfile.mkdtemp(prefix=f"ravo-crash-{round_number}-")
    shutil.copy(os.path.join(BUILD, "Ravo.exe"), folder)
    for name, content in old_files(day, kind).items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(content)
    os.mkdir(os.path.join(folder, "backup"))
    return folder


def wine(arguments, folder, **options):
    return subprocess.Popen(["wine"] + arguments, cwd=folder, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)


def processes_in(folder):
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            if os.readlink(f"/proc/{pid}/cwd") == folder:
                found.append(int(pid))
        except OSError:
            pass
    return found


def prefix_processes():
    """Every Wine process of this prefix: the server and its services."""
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            if "/wine" not in os.readlink(f"/proc/{pid}/exe"):
                continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"WINEPREFIX={PREFIX}".encode() in f.read().split(b"\0"):
                    found.append(int(pid))
        except OSError:
            pass
    return found


def kill_all(pids):
    for pid in pids:
        try:
            os.kill(pid, signal.SIGKILL)
        except OSError:
            pass


def restart_server():
    subprocess.run(["wineserver", "-p"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def first_save_held(folder, day):
    """A first entry while a spreadsheet holds the memo file: its commit
    is made but waits for the file. The holder then lets go."""
    holder = subprocess.Popen(["wine", os.path.join(BUILD, "ravo-tool.exe"), "hold", f"{day.year}m.dat"], cwd=folder,
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    if holder.stdout.readline().strip() != b"held":
        raise RuntimeError("the file could not be held")
    run_save(folder, 0, False, FIRST)
    holder.stdin.close()
    holder.wait(timeout=20)
    if not os.path.exists(os.path.join(folder, f"{day.year}.commit")):
        raise RuntimeError("the held file left no waiting commit")


def run_save(folder, kill_at, whole_server, state=NEW):
    """Enters today's result; kills at the kill_at-th file event (0: never).
    Returns the number of events seen and whether a kill was made."""
    watch = Watch([folder, os.path.join(folder, "backup")])
    program = wine(["Ravo.exe"], folder)
    driver = wine([os.path.join(BUILD, "ravo-tool.exe"), "enter", str(state[0]), state[1].decode()], folder)
    killed = False
    deadline = time.time() + 60
    while time.time() < deadline:
        count = watch.poll()
        if kill_at and count >= kill_at and not killed:
            kill_all(prefix_processes() if whole_server else processes_in(folder))
            killed = True
        if driver.poll() is not None and (killed or not processes_in(folder)):
            break
        time.sleep(0.0005)
    count = watch.poll()
    watch.close()
    for child in (driver, program):
        try:
            child.wait(timeout=20)
        except subprocess.TimeoutExpired:
            child.kill()
    if killed:
        kill_all(processes_in(folder))
        if whole_server:
            kill_all(prefix_processes())
            restart_server()
    return count, killed


def next_start(folder):
    """The program starts again, reads the year, and ends."""
    program = wine(["Ravo.exe"], folder)
    quit_tool = wine([os.path.join(BUILD, "ravo-tool.exe"), "quit"], folder)
    for child in (quit_tool, program):
        try:
            child.wait(timeout=60)
        except subprocess.TimeoutExpired:
            child.kill()


def state_of(files, day):
    slot = (day.month - 1) * 31 + day.day - 1
    amount = struct.unpack_from("<i", files[f"{day.year}.dat"], slot * 4)[0]
    memo = files[f"{day.year}m.dat"][slot * 21:slot * 21 + 21].split(b"\0")[0]
    return amount, memo, files[f"{day.year}h.dat"][slot]


def check(folder, day, kind):
    """What is wrong with the folder, or None; and whether it is the new year."""
    names = sorted(os.listdir(folder))
    left = [n for n in names if n.endswith(".new") or n.endswith(".commit")]
    if left:
        return f"left over: {left}", False
    files = {}
    for name, old in old_files(day, kind).items():
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            return f"missing: {name}", False
        with open(path, "rb") as f:
            files[name] = f.read()
        if name in year_files(day, OLD) and len(files[name]) != len(old):
            return f"torn: {name} has {len(files[name])} bytes", False
    state = state_of(files, day)
    # The held round's first save is committed: it never goes back.
    if state not in ((FIRST, NEW) if kind == "held" else (OLD, NEW)):
        return f"mixed: {state}", False
    if state == OLD and files != old_files(day, kind):
        return "other bytes changed", False
    tables = {name: files[name] for name in year_files(day, state)}
    if state != OLD and tables != year_files(day, state):
        return "other bytes changed", False
    if kind == "visits":
        visits = files[visits_name(day)].decode("utf-8", "replace")
        expected = VISITS_RESAVED if state == OLD else VISITS_OWN.format(year=day.year)
        if visits != expected:
            return f"visits file of another save: {visits!r}", False
    backups = os.path.join(folder, "backup")
    old_copies = old_files(day, kind)
    for entry in os.listdir(backups):
        path = os.path.join(backups, entry)
        if "." in entry:
            continue  # a copy in the making, finished or dropped by the next backup
        copied = sorted(os.listdir(path))
        if copied != sorted(old_copies):
            return f"partial backup {entry}: {copied}", False
        for name in copied:
            with open(os.path.join(path, name), "rb") as f:
                if f.read() != old_copies[name]:
                    return f"backup {entry}/{name} is not the old file", False
    return None, state == NEW


def uninterrupted_events(day, kind):
    """How many file events the save of a kind makes, counted once."""
    folder = program_folder(0, day, kind)
    if kind == "held":
        first_save_held(folder, day)
    events, _ = run_save(folder, 0, False)
    problem, is_new = check(folder, day, kind)
    shutil.rmtree(folder, ignore_errors=True)
    if problem or not is_new or events < 5:
        raise RuntimeError(f"the uninterrupted {kind} save went wrong ({problem}, new={is_new}, {events} events)")
    return events


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else int(time.time())
    random.seed(seed)
    day = datetime.date.today()
    try:
        events = {kind: uninterrupted_events(day, kind) for kind in KINDS}
    except RuntimeError as error:
        print(f"crash test: {error}")
        return 1
    results = {"old": 0, "new": 0}
    failures = []
    server_kills = 0
    for round_number in range(1, rounds + 1):
        kind = KINDS[round_number % len(KINDS)]
        folder = program_folder(round_number, day, kind)
        if kind == "held":
            first_save_held(folder, day)
        whole_server = round_number % 5 == 0
        kill_at = random.randint(1, events[kind])
        _, killed = run_save(folder, kill_at, whole_server)
        server_kills += whole_server and killed
        next_start(folder)
        problem, is_new = check(folder, day, kind)
        if problem:
            failures.append(f"round {round_number} ({kind}, event {kill_at}/{events[kind]}"
                            f"{', whole server' if whole_server else ''}): {problem}; kept in {folder}")
            continue
        results["new" if is_new else "old"] += 1
        shutil.rmtree(folder, ignore_errors=True)
    counts = ", ".join(f"{kind} {events[kind]}" for kind in KINDS)
    print(f"crash test: {rounds} kills timed on the saves' file events ({counts}; seed {seed}, "
          f"{server_kills} of the whole Wine server): {results['old']} left the old year, "
          f"{results['new']} the new one, {len(failures)} missing, mixed or partial")
    for failure in failures:
        print("  " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
