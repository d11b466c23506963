#!/usr/bin/env python3
"""A long session, played from outside as play_game.py plays it: a new player, then for MINUTES the
main menu, the high scores, the map with a pot's tip, the first three levels each won from its pot
with its score count, round and round. The game's resident memory is sampled every SAMPLE seconds and printed as
"minutes rss-MB cycles"; run by hand, it is no ctest.

usage: soak.py GAME DATA [--minutes 30] [--sample 30]
"""

import argparse
import os
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from play_game import LEVELS, Player, after_level, high_scores, main_menu, world_map  # noqa: E402
from xgame import Failure, Game  # noqa: E402


def rss_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("data")
    parser.add_argument("--minutes", type=float, default=30)
    parser.add_argument("--sample", type=float, default=30)
    args = parser.parse_args()
    game = Game(os.path.abspath(args.game), os.path.abspath(args.data), log=lambda text: None)
    cycles = [0]
    done = threading.Event()

    def sample():
        while not done.is_set():
            try:
                print("%6.1f %7.1f %4d" % ((time.monotonic() - game.started) / 60, rss_mb(game.process.pid),
                                           cycles[0]), flush=True)
            except OSError:
                return
            done.wait(args.sample)

    try:
        game.start_server()
        game.launch()
        game.started = time.monotonic()
        threading.Thread(target=sample, daemon=True).start()
        player = Player(game)
        player.splash_to_menu(first=True)
        game.click(420, 420)  # PLAY: the intro for a new player
        player.see("intro", lambda s: not main_menu(s), 15)
        time.sleep(2)
        game.click(862, 699)  # SKIP
        player.see("world map", world_map, 20)
        pots = (("level1", 235, 585), ("lvl2", 447, 485), ("level3", 663, 540))
        while time.monotonic() - game.started < args.minutes * 60:
            for name, x, y in pots:
                game.point(x, y)  # its tip shows
                time.sleep(1)
                game.click(x, y)
                view, casts = LEVELS[name]
                try:
                    player.play_level(name, view, casts)
                    after_level(player, name)
                except Failure as failure:
                    # Memory is what is watched here: a level not won is left for the map.
                    print("# %s: %s" % (name, failure), flush=True)
                    game.click(512, 400)
                    player.see("world map after %s" % name, world_map, 30)
            game.click(90, 654)  # MENU
            player.see("main menu", main_menu, 20)
            game.click(418, 521)  # HIGH SCORES
            player.see("high scores", high_scores, 10)
            game.click(150, 675)  # OK
            player.see("main menu", main_menu, 10)
            game.click(420, 420)  # PLAY: the map
            player.see("world map", world_map, 20)
            cycles[0] += 1
        print("%6.1f %7.1f %4d" % ((time.monotonic() - game.started) / 60, rss_mb(game.process.pid), cycles[0]))
    except Failure as failure:
        print("FAILED after %d cycles: %s" % (cycles[0], failure))
        return 1
    finally:
        done.set()
        game.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
