#!/usr/bin/env python3
"""Reads published calendars back with icalendar and expands every event's RRULE with
dateutil, printing JSON: per .ics file its X-WR-CALNAME, the VTIMEZONE ids and offsets and
every event (UID, SUMMARY, DESCRIPTION, whether it is all-day, the TZID of DTSTART, DTSTART and
DTEND as ISO text, the number of occurrences and the last one)."""
import datetime
import json
import os
import sys

import icalendar
from dateutil.rrule import rrulestr


def main():
    folder = sys.argv[1]
    result = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".ics"):
            continue
        with open(os.path.join(folder, name), "rb") as f:
            calendar = icalendar.Calendar.from_ical(f.read())
        zones = []
        for zone in calendar.walk("VTIMEZONE"):
            for part in zone.walk("STANDARD"):
                zones.append({
                    "tzid": str(zone.get("TZID")),
                    "offset": int(part.get("TZOFFSETTO").td.total_seconds()),
                })
        events = []
        for event in calendar.walk("VEVENT"):
            start = event.get("DTSTART")
            end = event.get("DTEND")
            first = start.dt
            all_day = not isinstance(first, datetime.datetime)
            rule = event.get("RRULE").to_ical().decode()
            anchor = first if not all_day else datetime.datetime.combine(first, datetime.time())
            occurrences = list(rrulestr(rule, dtstart=anchor.replace(tzinfo=None)))
            events.append({
                "uid": str(event.get("UID")),
                "summary": str(event.get("SUMMARY")),
                "description": str(event.get("DESCRIPTION", "")),
                "allDay": all_day,
                "tzid": start.params.get("TZID", ""),
                "start": first.replace(tzinfo=None).isoformat() if not all_day else first.isoformat(),
                "end": end.dt.replace(tzinfo=None).isoformat() if not all_day else end.dt.isoformat(),
                "stamp": event.get("DTSTAMP").to_ical().decode(),
                "occurrences": len(occurrences),
                "last": occurrences[-1].isoformat(),
            })
        result[name] = {
            "calname": str(calendar.get("X-WR-CALNAME", "")),
            "zones": zones,
            "events": events,
        }
    json.dump(result, sys.stdout, ensure_ascii=False)


main()
