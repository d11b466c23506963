#!/usr/bin/env python3
"""A level script that never returns, from outside: the real game on its own X server, with a
player who has won the first three levels, is taken from the main menu through the map into the
fourth level, whose is_done loops for ever on the main thread. SIGTERM then ends the game by that
signal once the platform's grace has run out, and users.xml is as it was last saved.

usage: hung_level.py GAME DATA
"""

import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from play_game import Player, world_map  # noqa: E402
from xgame import Failure, run_outside  # noqa: E402

# Well past the platform's grace (5 s), for a loaded machine.
END_WAIT = 60


def hang_is_done(game, marker):
    """Appends an is_done that says where it stands, then never returns; the last definition wins."""
    with open(os.path.join(game.data, "scripts", "rgpy_factory.py"), "a") as script:
        script.write("\n\ndef is_done(world):\n"
                     "    open(%r, 'w').close()\n"
                     "    while True:\n"
                     "        pass\n" % marker)


def run(game):
    marker = os.path.join(game.root, "is_done entered")
    hang_is_done(game, marker)
    os.makedirs(game.save_folder)
    users = os.path.join(game.save_folder, "users.xml")
    shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "three_levels_won.xml"), users)

    player = Player(game)
    game.launch()
    player.splash_to_menu(first=False)
    game.click(420, 420)  # PLAY: the map, since the player has a level
    player.see("map with progress", world_map, 20)
    game.click(90, 604)  # NEXT: the fourth level
    deadline = game.deadline(60)
    while not os.path.exists(marker):
        if not game.alive():
            raise Failure("the game ended (%s) before the level ran: %s" % (game.process.returncode, game.output()))
        if game.passed(deadline):
            raise Failure("the level's is_done was not reached within 60 s")
        time.sleep(0.2)
    game.say("%6.1f s  is_done entered and looping" % (time.monotonic() - game.started))
    with open(users, "rb") as f:
        saved = f.read()

    game.process.send_signal(signal.SIGTERM)
    try:
        game.process.wait(END_WAIT)
    except subprocess.TimeoutExpired:
        raise Failure("still running %d s after SIGTERM" % END_WAIT)
    if game.process.returncode != -signal.SIGTERM:
        raise Failure("ended with %s, not by SIGTERM: %s" % (game.process.returncode, game.output()))
    with open(users, "rb") as f:
        if f.read() != saved:
            raise Failure("users.xml changed after the hang")
    game.say("%6.1f s  ended by SIGTERM; users.xml as last saved" % (time.monotonic() - game.started))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    return run_outside(sys.argv[1], sys.argv[2], None, run)


if __name__ == "__main__":
    sys.exit(main())
