#!/usr/bin/python3
"""detron-convert's holidays and weekly portions (listed, and named by --events) against Debian's
hebcal, an independent calendar, and its iCalendar output read by a real iCalendar parser
(python3-icalendar).

usage: observances_check.py DETRON_CONVERT"""

import csv
import datetime
import io
import json
import os
import re
import subprocess
import sys

import icalendar

PROGRAM = sys.argv[1]
ROMAN = {"I": 1, "II": 2, "III": 3, "IV": 4, "V": 5, "VI": 6, "VII": 7, "VIII": 8}
SAME_NAMES = {"Tzom Gedaliah", "Yom Kippur", "Shmini Atzeret", "Simchat Torah", "Asara B'Tevet", "Tu BiShvat",
              "Ta'anit Esther", "Purim", "Shushan Purim", "Lag BaOmer", "Tzom Tammuz", "Tish'a B'Av",
              "Yom HaShoah", "Yom HaZikaron", "Yom HaAtzma'ut", "Yom Yerushalayim"}
MODERN = {"Yom HaShoah", "Yom HaZikaron", "Yom HaAtzma'ut", "Yom Yerushalayim"}
failures = []


def run(*arguments):
    environment = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    done = subprocess.run([PROGRAM, *arguments], capture_output=True, check=False, env=environment)
    if done.returncode != 0:
        sys.exit(f"{PROGRAM} {' '.join(arguments)}: status {done.returncode}: {done.stderr.decode()}")
    return done.stdout


def hebcal_events(year, israel):
    """hebcal's holidays of a Hebrew year in this program's names: {(ISO date, name)}."""
    text = subprocess.run(["hebcal", *(["-i"] if israel else []), "-H", str(year)], capture_output=True,
                          text=True, check=True).stdout
    events = set()
    for line in text.splitlines():
        when, name = line.split(" ", 1)
        month, day, civil_year = map(int, when.split("/"))
        date = datetime.date(civil_year, month, day)
        name = name.removesuffix(" (observed)")
        if re.fullmatch(r"Rosh Hashana \d+", name):
            name = "Rosh Hashana 1"
        elif name == "Rosh Hashana II":
            name = "Rosh Hashana 2"
        elif m := re.fullmatch(r"(Sukkot|Pesach|Shavuot) ([IVX]+)( \(.*\))?", name):
            number = ROMAN[m[2]]
            name = f"{m[1]} {number}" + (" (Hoshana Raba)" if m[1] == "Sukkot" and number == 7 else "")
            if israel and m[1] == "Shavuot":
                name = "Shavuot"
        elif m := re.fullmatch(r"Chanukah: (\d) Candles?", name):  # lit the evening before the day
            name, date = f"Chanukah {m[1]}", date + datetime.timedelta(days=1)
        elif name == "Chanukah: 8th Day":
            name = "Chanukah 8"
        elif name.startswith("Rosh Chodesh "):
            name = "Rosh Chodesh"  # hebcal spells the months its own way
        elif name == "Shushan Purim" and date.isoweekday() == 7:
            # 15 Adar is never a Sunday: hebcal keeps the day after a Shabbat 15 Adar.
            date -= datetime.timedelta(days=1)
        elif name not in SAME_NAMES:
            continue
        events.add((date.isoformat(), name))
    return events


def check_against_hebcal(first, last, israel):
    output = run("--holidays", "--years", f"{first}..{last}", "--format", "csv", *(["--israel"] if israel else []))
    ours = {}
    for row in csv.DictReader(io.StringIO(output.decode())):
        name = re.sub(r"^Rosh Chodesh .*", "Rosh Chodesh", row["event"])
        if israel and name == "Simchat Torah":
            continue  # hebcal names Israel's one day Shmini Atzeret alone
        ours.setdefault(int(row["hebrewYear"]), set()).add((row["civil"], name))
    print(f"hebcal: Hebrew years {first} to {last}, {'Israel' if israel else 'elsewhere'}")
    for year in range(first, last + 1):
        theirs = hebcal_events(year, israel)
        mine = ours.get(year, set())
        if mine != theirs:
            failures.append(f"{year} {'Israel' if israel else 'elsewhere'}: only here {sorted(mine - theirs)}, "
                            f"only in hebcal {sorted(theirs - mine)}")


def hebcal_portions(first, last, israel):
    """hebcal's portions of Hebrew years first ... last: {ISO date: "Parashat ..."}."""
    portions = {}
    for year in range(first, last + 1):
        text = subprocess.run(["hebcal", "-s", *(["-i"] if israel else []), "-H", str(year)], capture_output=True,
                              text=True, check=True).stdout
        for line in text.splitlines():
            when, name = line.split(" ", 1)
            if name.startswith("Parashat "):
                month, day, civil_year = map(int, when.split("/"))
                portions[datetime.date(civil_year, month, day).isoformat()] = name
    return portions


def compare_portions(what, mine, theirs):
    print(f"hebcal -s: {what}, {len(mine)} portions")
    for day in sorted(set(mine) | set(theirs)):
        if mine.get(day) != theirs.get(day):
            failures.append(f"{what} {day}: here {mine.get(day)!r}, in hebcal {theirs.get(day)!r}")


def check_portions(first, last, israel):
    """--parsha for the years, and the portions --events names on the Shabbat lines of a range over the
    same years, each against hebcal -s."""
    place = ["--israel"] if israel else []
    theirs = hebcal_portions(first, last, israel)
    listed = csv.DictReader(io.StringIO(run("--parsha", "--years", f"{first}..{last}", "--format", "csv",
                                            *place).decode()))
    compare_portions(f"--parsha {first}..{last} {'Israel' if israel else 'elsewhere'}",
                     {row["civil"]: row["event"] for row in listed}, theirs)
    days = csv.DictReader(io.StringIO(run("--events", "--from", f"1 Tishri {first}", "--to", f"29 Elul {last}",
                                          "--format", "csv", *place).decode()))
    named = {}
    for row in days:
        portion = [event for event in row["event"].split("; ") if event.startswith("Parashat ")]
        if row["weekday"] != "6" and portion:
            failures.append(f"--events: a portion on a weekday, {row['civil']}")
        if portion:
            named[row["civil"]] = portion[0]
    compare_portions(f"--events {first}..{last} {'Israel' if israel else 'elsewhere'}", named, theirs)


def check_icalendar():
    options = ["--holidays", "--parsha", "--molad", "--omer", "--years", "5784..5786", "--birthday", "1990-02-14",
               "--yahrzeit", "30 Adar I 5784", "--yahrzeit", "2023-11-14"]
    raw = run("--format", "ics", *options)
    lines = raw.split(b"\r\n")
    if lines[-1] != b"" or any(b"\n" in line or b"\r" in line for line in lines):
        failures.append("iCalendar: a line not ended by CR LF")
    for line in lines:
        if len(line) > 75:
            failures.append(f"iCalendar: a line of {len(line)} octets")
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            failures.append(f"iCalendar: a folded line cuts a character: {line!r}")
    calendar = icalendar.Calendar.from_ical(raw)
    events = calendar.walk("VEVENT")
    expected = [json.loads(line) for line in run("--format", "json", *options).splitlines()]
    if len(events) != len(expected):
        failures.append(f"iCalendar: {len(events)} events for {len(expected)} lines")
    for event, line in zip(events, expected):
        start = event.decoded("DTSTART")
        if start.isoformat() != line["civil"] or event.decoded("DTEND") != start + datetime.timedelta(days=1):
            failures.append(f"iCalendar: {start} ... {event.decoded('DTEND')} for {line['civil']}")
        summary = str(event["SUMMARY"])
        if summary != f"{line['event']} / {line['eventHebrew']}":
            failures.append(f"iCalendar: summary {summary!r} for {line['event']!r}")
    print(f"iCalendar: {len(events)} events read back")
    uids = [str(event["UID"]) for event in events]
    if len(set(uids)) != len(uids):
        failures.append("iCalendar: UIDs repeat")
    if any(event.decoded("DTSTAMP") != datetime.datetime(2023, 11, 14, 22, 13, 20, tzinfo=datetime.timezone.utc)
           for event in events):
        failures.append("iCalendar: DTSTAMP is not SOURCE_DATE_EPOCH")


check_against_hebcal(5700, 5800, israel=False)
check_against_hebcal(5700, 5800, israel=True)
check_portions(5780, 5790, israel=False)
check_portions(5780, 5790, israel=True)
check_icalendar()
for failure in failures[:20]:
    print(failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
