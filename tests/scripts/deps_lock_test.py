#!/usr/bin/env python3
"""scripts/deps while another package manager holds its lock, with stand-ins for dpkg-query (one
package missing), id (root), apt-get (refused with apt's lock message a given number of times,
then done or failing otherwise) and sleep (returns at once, counted): the script says once that
it waits and goes on once the lock is free; it gives up after its bound with apt's message and
exit code 100; another failure ends it at once.

usage: deps_lock_test.py DEPS
"""

import os
import subprocess
import sys
import tempfile

LOCK = "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)"
STAND_INS = {
    "dpkg-query": 'case "$*" in *xdotool*) exit 1;; esac\necho -n "install ok installed"\n',
    "id": "echo 0\n",
    "sleep": 'echo "$1" >> "$CALLS/sleep"\n',
    "apt-get": """echo "$*" >> "$CALLS/apt-get"
busy=BUSY_$1
if [ "$(grep -c "^$1 " "$CALLS/apt-get")" -le "${!busy:-0}" ]; then echo "%s" >&2; exit 100; fi
if [ -n "$FAIL" ]; then echo "$FAIL" >&2; exit 100; fi
""" % LOCK,
}
WAITING = "scripts/deps: the package manager is busy"


def run(deps, folder, **env):
    calls = tempfile.mkdtemp(dir=folder)
    for name in ("apt-get", "sleep"):
        open(os.path.join(calls, name), "w").close()
    environment = dict(os.environ, PATH=os.path.join(folder, "bin") + ":" + os.environ["PATH"], CALLS=calls, **env)
    result = subprocess.run(["bash", deps], env=environment, capture_output=True, text=True, timeout=60)
    lines = {name: open(os.path.join(calls, name)).read().splitlines() for name in ("apt-get", "sleep")}
    return result, lines["apt-get"], lines["sleep"]


def check(condition, text, result):
    if not condition:
        raise AssertionError("%s\nexit %d\nstdout: %s\nstderr: %s" % (text, result.returncode, result.stdout, result.stderr))


def main():
    deps = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        os.makedirs(os.path.join(folder, "bin"))
        for name, body in STAND_INS.items():
            path = os.path.join(folder, "bin", name)
            with open(path, "w") as f:
                f.write("#!/bin/bash\n" + body)
            os.chmod(path, 0o755)

        # The lists' lock held for three tries of the update, dpkg's for two of the install.
        result, apt, sleeps = run(deps, folder, BUSY_update="3", BUSY_install="2")
        check(result.returncode == 0, "the lock freed: done", result)
        check(result.stdout.count(WAITING) == 2, "one line per command that waits", result)
        check([c.split()[0] for c in apt] == ["update"] * 4 + ["install"] * 3, "tried again until free: %s" % apt,
              result)
        check("xdotool" in apt[-1] and len(sleeps) == 5, "the missing package installed after 5 waits", result)

        # Never freed: bounded, apt's own message, apt's exit code.
        result, apt, sleeps = run(deps, folder, BUSY_update="100000")
        check(result.returncode == 100 and LOCK in result.stderr, "gives up with apt's message", result)
        check(sum(int(s) for s in sleeps) == 600 and all(c.startswith("update") for c in apt), "bounded wait", result)

        # Another failure: at once, no wait.
        result, apt, sleeps = run(deps, folder, FAIL="E: Unable to locate package xdotool")
        check(result.returncode == 100 and "Unable to locate" in result.stderr, "the failure reported", result)
        check(WAITING not in result.stdout and not sleeps and len(apt) == 1, "no wait for another failure", result)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
