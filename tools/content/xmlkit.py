"""Writes XML in the engine's dialect: double-quoted attributes, explicit close tags, no comments,
no self-closing tags, no blank before '>' of a tag without attributes, LF line ends, ASCII only."""


def fmt(v):
    if isinstance(v, bool):
        return "1" if v else "0"
    if isinstance(v, int):
        return str(v)
    if isinstance(v, float):
        s = ("%.6f" % v).rstrip("0").rstrip(".")
        return "0" if s in ("-0", "") else s
    return str(v)


class E:
    def __init__(self, tag, attrs=None, children=None, text=None):
        self.tag = tag
        self.attrs = list((attrs or {}).items())
        self.children = [c for c in (children or []) if c is not None]
        self.text = text

    def add(self, *children):
        self.children.extend(c for c in children if c is not None)
        return self

    def lines(self, depth=0, inline_depth=None):
        pad = "  " * depth
        attrs = "".join(' %s="%s"' % (k, fmt(v)) for k, v in self.attrs)
        for k, v in self.attrs:
            assert '"' not in fmt(v), "a value cannot hold a double quote"
        start = "<%s%s>" % (self.tag, attrs)
        end = "</%s>" % self.tag
        if not self.children:
            return [pad + start + (self.text or "") + end]
        out = [pad + start]
        for c in self.children:
            out.extend(c.lines(depth + 1))
        out.append(pad + end)
        return out


def document(root):
    text = "\n".join(root.lines()) + "\n"
    text.encode("ascii")
    return text


def vec(tag, x, y, z=0.0):
    return E(tag, {"X": float(x), "Y": float(y), "Z": float(z)})


def rect(tag, x, y, w, h):
    return E(tag, {"X": float(x), "Y": float(y), "Width": float(w), "Height": float(h)})


WHITE = 4294967295


def sprite(mesh, texture, pos, tex=(0, 0, 1, 1), alpha=1, anim=None, colour=WHITE, flip_h=0,
           src_blend=5, dst_blend=6):
    """A transformed sprite, top-left aligned: pos = (x, y, w, h), tex = (left, top, right, bottom)."""
    textures = E("Textures", {"Texture1": texture}, [
        E("Filtration1", {"IsBilinear": 1, "IsTrilinear": 0, "IsAnisotropic": 0}),
        anim,
    ])
    material = E("Material", {"CullMode": 1, "FillMode": 3, "AlphaBlend": alpha, "SrcBlend": src_blend,
                              "DstBlend": dst_blend, "ZWrite": 0, "Lighting": 0, "IsFogEnable": 0}, [textures])
    return E("Sprite", {"ColorLU": colour, "ColorRU": colour, "ColorLD": colour, "ColorRD": colour, "Angle": 0,
                        "CoordAligment": 1, "WithTransform": 1, "FlipHorizontal": flip_h, "FlipVertical": 0,
                        "XScaleFactor": 1, "YScaleFactor": 1}, [
        rect("Position", *pos),
        rect("TexCoords", *tex),
        E("Mesh", {"Name": mesh}, [material]),
    ])


def frame_anim(name, texture, nx, ny, speed, indent=(0, 0, 1, 1), inverse=0):
    return E("Animation", {"Name": name, "Type": "FRAME", "TextureName": texture, "FrameHorizontal": nx,
                           "FrameVertical": ny, "AnimationSpeed": float(speed), "Inverse": inverse},
             [rect("Indent", *indent)])


def floating_anim(name, texture, style, step, speed=1.0):
    return E("Animation", {"Name": name, "Type": "FLOATING", "TextureName": texture,
                           "AnimationSpeed": float(speed), "Style": style, "Step": float(step)})
