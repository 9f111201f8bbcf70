#!/usr/bin/env python3
"""Prints a dpkg status file of what a fresh Debian machine holds: the
installed packages that are required or essential, with what they depend
on. apt-get -s -o Dir::State::status=FILE then shows what an install would
pull in on such a machine, without one.
Usage: scripts/fresh-debian-status.py > FILE"""
import re, sys
paras = [p for p in open('/var/lib/dpkg/status').read().split('\n\n') if p.strip()]
def field(p, name):
    m = re.search(r'^' + name + r': (.*(?:\n .*)*)', p, re.M)
    return m.group(1).replace('\n', ' ') if m else ''
by = {}
provides = {}
for p in paras:
    if 'Status: install ok installed' not in p: continue
    n = field(p, 'Package'); by[n] = p
    for v in field(p, 'Provides').split(','):
        v = v.strip().split(' ')[0]
        if v: provides.setdefault(v, n)
todo = [n for n, p in by.items() if re.search(r'^(Priority: required|Essential: yes)$', p, re.M)]
keep = set()
while todo:
    n = todo.pop()
    if n in keep: continue
    keep.add(n)
    deps = field(by[n], 'Depends') + ',' + field(by[n], 'Pre-Depends')
    for d in deps.split(','):
        for alt in d.split('|'):
            a = alt.strip().split(' ')[0].split(':')[0]
            if not a: continue
            a = a if a in by else provides.get(a)
            if a:
                todo.append(a); break
sys.stdout.write('\n\n'.join(by[n] for n in sorted(keep)) + '\n')
