"""Script objects with switchable behaviour for the game-object and dispatcher tests."""

import rgpy_factory


class ProbeObject(rgpy_factory.GameObject):
    """A game object whose answers the tests choose."""

    def __init__(self):
        rgpy_factory.GameObject.__init__(self, "RGGOT_SIMPLE")
        self.allowed = True
        self.sprite_items = None   # None: the base class's list
        self.times = []

    def can_update(self):
        return self.allowed

    def do_update(self, dt, now, world):
        self.times.append(now)

    def update_sprites_state(self, state_name, offset_x, offset_y):
        if self.sprite_items is None:
            return rgpy_factory.GameObject.update_sprites_state(self, state_name, offset_x, offset_y)
        if self.sprite_items == "none":
            return None
        out = []
        for x in self.sprite_items:
            s = rgpy_factory.SpriteState()
            s.posx = x
            out.append(s)
        return out


def create_probe(type_name):
    return ProbeObject()


class NumberSound:
    def run(self, a, b, px, py, depth, nx, ny, world):
        self.sound_fx = 5
        return True


class NoRun:
    sound_fx = ""
