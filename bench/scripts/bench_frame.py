"""The game object's per-frame update written in Python, for comparison with the engine's loop.

Each entry pairs a script instance with a body kept on the Python side. frame makes the engine's
steps: can_update, write position and velocity, do_update, read position, velocity, mass, size
and force, reset_force_acc, fit the box, integrate, fit the box, write position and velocity.
frame_calls makes the same script calls and nothing else: the body's sums are the engine's work
in C++, so this is what the wrappers' overhead is measured against.
"""


class Body:
    __slots__ = ("x", "y", "vx", "vy", "mass", "hw", "hh", "fx", "fy", "minx", "miny", "maxx", "maxy")

    def __init__(self):
        self.x = self.y = self.vx = self.vy = 0.0
        self.mass = 1.0
        self.hw = self.hh = 0.0
        self.fx = self.fy = 0.0
        self.minx = self.miny = self.maxx = self.maxy = 0.0


def make_pairs(instances):
    return [(o, Body()) for o in instances]


def _fit(b):
    b.minx, b.miny = b.x, b.y
    b.maxx, b.maxy = b.x + b.hw + b.hw, b.y + b.hh + b.hh


def frame(pairs, dt, now, world):
    for o, b in pairs:
        if not o.can_update():
            continue
        o.x, o.y, o.vel_x, o.vel_y = b.x, b.y, b.vx, b.vy
        o.do_update(dt, now, world)
        x, y, vx, vy, mass, w, h = o.x, o.y, o.vel_x, o.vel_y, o.mass, o.w, o.h
        b.x, b.y, b.vx, b.vy, b.mass, b.hw, b.hh = x, y, vx, vy, mass, w, h
        b.fx += o.frc_x
        b.fy += o.frc_y
        o.reset_force_acc()
        _fit(b)
        if b.mass > 0:
            b.vx += (b.fx * dt) / b.mass
            b.vy += (b.fy * dt) / b.mass
            b.x += b.vx * dt
            b.y += b.vy * dt
        b.fx = b.fy = 0.0
        _fit(b)
        o.x, o.y, o.vel_x, o.vel_y = b.x, b.y, b.vx, b.vy
    return len(pairs)


def frame_calls(pairs, dt, now, world):
    for o, b in pairs:
        if not o.can_update():
            continue
        o.x, o.y, o.vel_x, o.vel_y = b.x, b.y, b.vx, b.vy
        o.do_update(dt, now, world)
        b.x, b.y, b.vx, b.vy, b.mass, b.hw, b.hh = o.x, o.y, o.vel_x, o.vel_y, o.mass, o.w, o.h
        b.fx, b.fy = o.frc_x, o.frc_y
        o.reset_force_acc()
        o.x, o.y, o.vel_x, o.vel_y = b.x, b.y, b.vx, b.vy
    return len(pairs)
