#!/usr/bin/python3
"""Plays every demo level with a rough stand-in for the engine's world and the scripted casts
below, to catch script faults and levels that cannot be won before the game itself exists.

Usage: playtest.py <data dir> [level name ...]

The stand-in follows the script contract's calling order (load, frame walls, world steps of
10 ms: collisions -> run, do_update, reset_force_acc, gravity 0.98 and integration; sprite
updates and the win/lose checks every frame) and checks the types the engine reads. Its
collision response is simpler than the engine's (push out along the contact normal, stop the
velocity into the surface), so a pass here is a sanity check, not the final word.
"""

import collections
import importlib.util
import os
import sys
import xml.etree.ElementTree as ET

DT = 0.01
STEPS_PER_FRAME = 2
GRAVITY = 0.98
SOUNDS = {"Collide", "Magic", "TeleCreate", "TeleGo", "BridgeDown", "Step", "Portal", "RecErr", "Click",
          "Focus", "Fountain", "Kill", "Switch", "Wind", "Gate", "Spring", "Funnel", "Tooth", "Score"}
READ_ATTRS = {"x": float, "y": float, "w": float, "h": float, "vel_x": float, "vel_y": float, "mass": float,
              "frc_x": float, "frc_y": float, "state": int, "gameObjectType": int, "is_static": bool,
              "is_actor": bool, "is_monstr": bool, "is_portal": bool, "islife": bool, "is_enable": bool,
              "gravity_action": bool, "name": str, "life_time": float}
SPRITE_ATTRS = ("posx", "posy", "width", "height", "tex_x", "tex_y", "tex_w", "tex_h", "enable", "anim_offset",
                "flip_h", "flip_v", "anim_inv")

# Casts per level: (time s, view offset x, view offset y, RGGOT number, field x, stroke bottom y, stroke w, h
# in canvas pixels). Winds are centred on (x, y): pass the centre as the last y.
WALL, BRIDGE, TELEPORT, WINDRIGHT, WINDLEFT = 6, 2, 5, 16, 15
SOLUTIONS = {
    "level1": [(8.0, -1.0, 0.0, WALL, 1.25, 0.85, 20, 50)],
    "lvl2": [(2.0, 0.0, 0.0, BRIDGE, 0.53, 0.85, 60, 30)],
    "level3": [(1.0, 0.0, -1.0, WINDRIGHT, 0.28, 1.78, 40, 40), (16.0, 0.0, -1.0, WINDLEFT, 0.6, 1.75, 40, 40)],
    "lvl4": [(3.0, 0.0, 0.0, WALL, 0.31, 0.85, 20, 50), (12.0, 0.0, 0.0, TELEPORT, 0.37, 0.85, 40, 40)],
    "bonus1": [(1.0, 0.0, 0.0, BRIDGE, 0.68, 0.85, 60, 30), (2.0, -0.5, 0.0, WINDRIGHT, 1.15, 0.78, 40, 40),
               (12.0, -0.5, 0.0, TELEPORT, 1.0, 0.85, 40, 40)],
    "bonus2": [(9.5, 0.0, 0.0, BRIDGE, 0.425, 0.85, 60, 30)],
}


def win(p):
    return p.replace("\\", os.sep)


def convert(value, kind):
    if kind == "Boolean":
        return value == "1"
    if kind in ("SizeT", "Long"):
        return int(value)
    if kind == "Double":
        return float(value)
    return value


class World:
    def __init__(self, data, module, level_path):
        self.data, self.m = data, module
        self.objects, self.members, self.dict = [], [], {}
        self.sounds = []
        lst = ET.parse(os.path.join(data, "gameobjects", "earthworldNEW.xml")).getroot()
        self.defs = {}
        for o in lst:
            d = ET.parse(os.path.join(data, win(lst.get("directory")), o.get("file"))).getroot()
            self.defs[d.get("Name")] = d
        level = ET.parse(os.path.join(data, win(level_path))).getroot()
        self.level = level
        self.size = (float(level.get("SizeX")), float(level.get("SizeY")))
        for e in level.find("World").find("GameObjects"):
            self.add(self.build(e))
        for name, x in (("WallFrameLeft", -0.1), ("WallFrameRight", self.size[0])):
            o = module.create("RGGOT_SIMPLE")
            o.x, o.y, o.mass, o.name, o.w, o.h = x, -self.size[1], 0.0, name, 0.05, 1.5 * self.size[1]
            self.add(o)
        self.dispatcher = module.create_dispatcher()
        self.start_actors = sum(1 for o in self.dict.get(1, []) if o.islife)
        self.now = 0

    def build(self, e):
        d = self.defs[e.get("Name")]
        o = self.m.create(d.get("GameObjectType"))
        tile = d.find("Tile")
        body = tile.find("Body")
        o.name = d.get("Name")
        o.is_enable = d.get("IsEnable") == "1"
        o.gravity_action = d.get("GravityAction") == "1"
        o.x, o.y = float(body.find("Position").get("X")), float(body.find("Position").get("Y"))
        o.w, o.h = float(tile.find("HalfSize").get("X")), float(tile.find("HalfSize").get("Y"))
        o.vel_x, o.vel_y = 0.0, 0.0
        o.mass = float(body.get("Mass"))
        o.sprite_counts = {}
        for state in d.find("States"):
            for s in state.findall("Sprite"):
                p, t = s.find("Position"), s.find("TexCoords")
                info = self.m.create_sprite_info(s.find("Mesh").get("Name"), *(float(p.get(k)) for k in ("X", "Y", "Width", "Height")),
                                                 *(float(t.get(k)) for k in ("X", "Y", "Width", "Height")), True,
                                                 s.get("FlipHorizontal") == "1", s.get("FlipVertical") == "1", False, 1.0, 1.0)
                o.add_state_sprite(state.get("Name"), info)
                o.sprite_counts[state.get("Name")] = o.sprite_counts.get(state.get("Name"), 0) + 1
        for a in d.find("Attributes"):
            setattr(o, a.get("Name"), convert(a.get("Value"), a.get("Type")))
        if e.find("Position") is not None:
            o.x, o.y = float(e.find("Position").get("X")), float(e.find("Position").get("Y"))
        if e.find("HalfSize") is not None:
            o.w, o.h = float(e.find("HalfSize").get("X")), float(e.find("HalfSize").get("Y"))
        if e.find("Attributes") is not None:
            for a in e.find("Attributes"):
                setattr(o, a.get("Name"), convert(a.get("Value"), a.get("Type")))
        o.group = [self.build(m) for m in e.findall("GameObject")]
        if o.group:
            x0 = min(m.x for m in o.group)
            y0 = min(m.y for m in o.group)
            x1 = max(m.x + 2 * m.w for m in o.group)
            y1 = max(m.y + 2 * m.h for m in o.group)
            o.x, o.y, o.w, o.h = x0, y0, (x1 - x0) / 2, (y1 - y0) / 2
            self.members += o.group
        return o

    def add(self, o):
        check_types(o)
        self.objects.append(o)
        self.dict.setdefault(o.gameObjectType, []).append(o)

    def step(self):
        objs = self.objects
        for i, a in enumerate(objs):
            if a.is_static or not a.is_enable:
                continue
            for j, b in enumerate(objs):
                if b is a or not b.is_enable or (not b.is_static and j < i):
                    continue
                self.collide(a, b)
        for o in objs:
            if not o.can_update() is True and not o.can_update() is False:
                raise TypeError("can_update returned %r" % (o.can_update(),))
            if (o.is_enable or o.is_static) and o.can_update():
                o.do_update(DT, self.now, self.dict)
                for m in getattr(o, "group", []):
                    m.do_update(DT, self.now, self.dict)
            check_types(o)
            o.reset_force_acc()
            if not o.is_static and o.is_enable:
                if o.gravity_action and o.mass > 0:
                    o.vel_y += GRAVITY * DT
                o.x += o.vel_x * DT
                o.y += o.vel_y * DT
        self.now += 10

    def collide(self, a, b):
        ox = min(a.x + 2 * a.w, b.x + 2 * b.w) - max(a.x, b.x)
        oy = min(a.y + 2 * a.h, b.y + 2 * b.h) - max(a.y, b.y)
        if ox <= 0 or oy <= 0:
            return
        ca, cb = (a.x + a.w, a.y + a.h), (b.x + b.w, b.y + b.h)
        if ox < oy:
            depth, nx, ny = ox, (1.0 if cb[0] > ca[0] else -1.0), 0.0
        else:
            depth, nx, ny = oy, 0.0, (1.0 if cb[1] > ca[1] else -1.0)
        px, py = cb[0] - ca[0], cb[1] - ca[1]
        separate = self.dispatcher.run(a, b, px, py, depth, nx, ny, self.dict)
        if separate not in (True, False, 0, 1):
            raise TypeError("run returned %r" % (separate,))
        fx = self.dispatcher.sound_fx
        if fx:
            if fx not in SOUNDS:
                raise ValueError("unknown sound name:" + fx)
            self.sounds.append(fx)
        if not separate or not a.is_enable or not b.is_enable:
            return
        ox = min(a.x + 2 * a.w, b.x + 2 * b.w) - max(a.x, b.x)
        oy = min(a.y + 2 * a.h, b.y + 2 * b.h) - max(a.y, b.y)
        if ox <= 0 or oy <= 0:
            return
        movers = [o for o in (a, b) if not o.is_static and o.mass > 0]
        for o in movers:
            sign = -1.0 if o is a else 1.0
            share = 1.0 / len(movers)
            if nx:
                o.x += sign * nx * ox * share
                if o.vel_x * nx * sign < 0:
                    o.vel_x = 0.0
            else:
                o.y += sign * ny * oy * share
                if o.vel_y * ny * sign < 0:
                    o.vel_y = 0.0

    def frame(self, view):
        for o in self.objects + self.members:
            if not o.is_enable:
                continue
            r = o.can_render()
            if r not in (True, False):
                raise TypeError("can_render returned %r" % (r,))
            state = self.m.getGameObjectStateStr(o.state)
            if not r:
                continue
            n = getattr(o, "sprite_counts", {}).get(state)
            if o.gameObjectType != 10 and n is None:
                raise KeyError("state [%s] not found for game object[%s]." % (state, o.name))
            if n:
                items = o.update_sprites_state(state, -view[0], -view[1])
                if type(items) is not list or len(items) != n:
                    raise TypeError("%s: update_sprites_state gave %r" % (o.name, items))
                for it in items:
                    for k in SPRITE_ATTRS:
                        getattr(it, k)
        failed = self.m.is_failed(self.dict)
        done = False if failed else self.m.is_done(self.dict)
        if failed not in (True, False) or done not in (True, False):
            raise TypeError("is_failed/is_done returned %r/%r" % (failed, done))
        return failed, done


def check_types(o):
    for k, kind in READ_ATTRS.items():
        v = getattr(o, k)
        if kind is float and not isinstance(v, (int, float)) or kind is int and type(v) is not int \
                or kind is bool and v not in (True, False) or kind is str and not isinstance(v, str):
            raise TypeError("%s.%s = %r" % (o.name, k, v))
    if o.state < 0 or o.gameObjectType < 0:
        raise ValueError("%s: negative state or type" % o.name)


def cast(world, view, kind, fx_field, bottom, w, h):
    """Calls process_tool with the arguments a stroke of w x h canvas pixels would give."""
    ox, oy = -view[0], -view[1]
    a = (w / 256.0) * (896 / 1024.0) * (732 / 768.0)
    b = h / 256.0
    if kind in (WINDRIGHT, WINDLEFT):
        py = bottom
    else:
        py = bottom - 0.5 * b / 0.953125
    wx = (fx_field + ox) * 0.875 + 0.125
    wy = (py + oy) * 0.953125
    x = (wx - 0.1225) / 0.999 - ox
    y = (wy - 0.02) / 0.999 - oy
    ok = world.m.process_tool(world.dict, kind, x, y, a, b)
    if ok not in (True, False):
        raise TypeError("process_tool returned %r" % (ok,))
    return ok


def play(data, module, name, path, seconds):
    world = World(data, module, path)
    casts = sorted(SOLUTIONS.get(name, []))
    view = (float(world.level.get("PosX")), float(world.level.get("PosY")))
    t = 0.0
    while t < seconds:
        while casts and casts[0][0] <= t:
            _, vx, vy, kind, x, y, w, h = casts.pop(0)
            view = (-vx, -vy)
            world.frame(view)  # the script learns the view from the sprite update
            if not cast(world, view, kind, x, y, w, h):
                return "cast refused at %.1f s" % t, world
        for o in world.objects:  # the engine's once-per-frame update with dt 0
            if o.is_enable or o.is_static:
                o.do_update(0.0, world.now, world.dict)
        for _ in range(STEPS_PER_FRAME):
            world.step()
        t += DT * STEPS_PER_FRAME
        failed, done = world.frame(view)
        if failed:
            return "FAILED at %.1f s" % t, world
        if done:
            return "DONE at %.1f s" % t, world
    return "TIMEOUT", world


def score_screen(module):
    """The score screen builds the three actors, updates them with dt 0 and an empty world, draws them."""
    for name in ("Balychahl", "Chumbachukchul", "SnuPulnel"):
        o = module.create("RGGOT_ACTOR")
        o.name = name
        o.add_state_sprite("walk", module.create_sprite_info("s", 0, 0, 0.06, 0.12, 0, 0, 1, 1, True, False, False, False, 1, 1))
        o.do_update(0.0, 0, {})
        assert o.can_render() is True
        items = o.update_sprites_state(module.getGameObjectStateStr(o.state), 0.0, 0.0)
        assert type(items) is list and len(items) == 1


def main():
    data = sys.argv[1]
    only = set(sys.argv[2:])
    loader_spec = importlib.util.spec_from_file_location("rgpy_factory", os.path.join(data, "scripts", "rgpy_factory.py"))
    module = importlib.util.module_from_spec(loader_spec)
    loader_spec.loader.exec_module(module)
    score_screen(module)
    ok = True
    for pack in ("levelpack.xml", "bonuslevelpack.xml"):
        for entry in ET.parse(os.path.join(data, "Levels", pack)).getroot():
            name = entry.get("Name")
            if only and name not in only:
                continue
            result, world = play(data, module, name, entry.get("Path"), float(world_time(data, entry.get("Path"))))
            actors = world.dict.get(1, [])
            home = sum(1 for a in actors if getattr(a, "home", False))
            counts = collections.Counter(world.sounds)
            print("%-8s %-16s home %d/%d  sounds: %s" % (name, result, home, len(actors),
                                                         " ".join("%s x%d" % kv for kv in sorted(counts.items()))))
            # A sound repeated every few frames is a contact flickering, not an event.
            ok = ok and result.startswith("DONE") and home == len(actors) and max(counts.values() or [0]) <= 10
    sys.exit(0 if ok else 1)


def world_time(data, path):
    return ET.parse(os.path.join(data, win(path))).getroot().get("PlayTime")


if __name__ == "__main__":
    main()
