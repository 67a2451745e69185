// make_office2007_images: draws the pictures of the program's Office 2007
// look at build time and writes its theme text as a resource.
//
//   make_office2007_images <theme text> <output folder>
//
// The theme text (office2007_theme.ini) gives the colours: the pictures are
// drawn from its keys, so the frame, the bars and the ribbon parts match the
// colours the paint themes read. It writes into the output folder:
//   o2007_<NAME>.bmp          one picture per name, all states stacked
//                             vertically; 24-bit with magenta (255, 0, 255)
//                             as the transparent colour ("keyed"), or 32-bit
//                             with premultiplied alpha for the shaped
//                             pictures that are drawn without a key
//   office2007_theme.txt      the theme text in UTF-16 with CR LF line ends
//   office2007_images.rc      the resource lines naming them
// Plain C++: the pictures are computed pixel by pixel (gradients, rounded
// frames, glyphs), nothing is read but the theme text.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace
{
// ---------------------------------------------------------------------------
// Colours and pictures.

struct Col
{
    int r, g, b;
};

Col Mix(Col a, Col b, double t)     // t = share of b
{
    Col c = { (int)lround(a.r + (b.r - a.r) * t), (int)lround(a.g + (b.g - a.g) * t),
              (int)lround(a.b + (b.b - a.b) * t) };
    return c;
}

const Col kWhite = { 255, 255, 255 };
const Col kBlack = { 0, 0, 0 };

struct Pixel
{
    Col c;
    int a;      // 0 transparent, 255 opaque
};

class Picture
{
public:
    Picture(int cx, int cy) : w(cx), h(cy), px((size_t)cx * cy) {}

    void Set(int x, int y, Col c, int a = 255)
    {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        Pixel& p = px[(size_t)y * w + x];
        if (a >= 255 || p.a == 0)
        {
            p.c = c;
            p.a = a;
            return;
        }
        // Over an opaque pixel: blend.
        p.c = Mix(p.c, c, a / 255.0);
        p.a = std::max(p.a, a);
    }
    const Pixel& Get(int x, int y) const { return px[(size_t)y * w + x]; }

    // Copies another picture in at (x, y).
    void Paste(const Picture& other, int x0, int y0)
    {
        for (int y = 0; y < other.h; y++)
            for (int x = 0; x < other.w; x++)
            {
                const Pixel& p = other.Get(x, y);
                if (p.a > 0)
                    Set(x0 + x, y0 + y, p.c, p.a);
            }
    }

    int w, h;
    std::vector<Pixel> px;
};

// ---------------------------------------------------------------------------
// The theme text.

std::map<std::string, std::string> g_ini;   // "SECTION/KEY" -> value
std::string g_iniText;

std::string Upper(std::string s)
{
    for (size_t i = 0; i < s.size(); i++)
        s[i] = (char)toupper((unsigned char)s[i]);
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool ReadIni(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (f == NULL)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        g_iniText.append(buffer, n);
    fclose(f);

    std::string section;
    size_t pos = 0;
    while (pos < g_iniText.size())
    {
        size_t end = g_iniText.find('\n', pos);
        if (end == std::string::npos)
            end = g_iniText.size();
        std::string line = Trim(g_iniText.substr(pos, end - pos));
        pos = end + 1;
        size_t comment = line.find(';');
        if (comment != std::string::npos)
            line = Trim(line.substr(0, comment));
        if (line.empty())
            continue;
        if (line[0] == '[')
        {
            section = Upper(Trim(line.substr(1, line.find(']') - 1)));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        g_ini[section + "/" + Upper(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
    }
    return true;
}

bool g_missingKey = false;

// A colour of the theme text; a missing key stops the build with a message.
Col Ini(const char* section, const char* key)
{
    std::map<std::string, std::string>::const_iterator it = g_ini.find(Upper(section) + "/" + Upper(key));
    Col c = { 255, 0, 255 };
    if (it == g_ini.end() || sscanf(it->second.c_str(), "%d %d %d", &c.r, &c.g, &c.b) != 3)
    {
        fprintf(stderr, "make_office2007_images: the theme text has no colour [%s] %s\n", section, key);
        g_missingKey = true;
    }
    return c;
}

// ---------------------------------------------------------------------------
// Drawing.

void Fill(Picture& p, int x0, int y0, int x1, int y1, Col c, int a = 255)
{
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            p.Set(x, y, c, a);
}

// Top to bottom from c0 to c1.
void VGradient(Picture& p, int x0, int y0, int x1, int y1, Col c0, Col c1)
{
    int h = y1 - y0;
    for (int y = y0; y < y1; y++)
    {
        Col c = h > 1 ? Mix(c0, c1, (double)(y - y0) / (h - 1)) : c0;
        for (int x = x0; x < x1; x++)
            p.Set(x, y, c);
    }
}

// Left to right from c0 to c1.
void HGradient(Picture& p, int x0, int y0, int x1, int y1, Col c0, Col c1)
{
    int w = x1 - x0;
    for (int x = x0; x < x1; x++)
    {
        Col c = w > 1 ? Mix(c0, c1, (double)(x - x0) / (w - 1)) : c0;
        for (int y = y0; y < y1; y++)
            p.Set(x, y, c);
    }
}

// The faces of a control state: border, light and dark fill.
struct Face
{
    Col border, light, dark;
};

// Which corners of a shape are rounded (bits: 1 top-left, 2 top-right,
// 4 bottom-right, 8 bottom-left).
enum
{
    kTL = 1,
    kTR = 2,
    kBR = 4,
    kBL = 8,
    kAll = 15,
    kTop = kTL | kTR,
    kBottom = kBL | kBR
};

// Whether (x, y) lies inside the rectangle with corners cut diagonally by r.
bool Inside(int x, int y, int x0, int y0, int x1, int y1, int r, int corners)
{
    if (x < x0 || y < y0 || x >= x1 || y >= y1)
        return false;
    int dl = x - x0, dr = x1 - 1 - x, dt = y - y0, db = y1 - 1 - y;
    if ((corners & kTL) && dl + dt < r)
        return false;
    if ((corners & kTR) && dr + dt < r)
        return false;
    if ((corners & kBR) && dr + db < r)
        return false;
    if ((corners & kBL) && dl + db < r)
        return false;
    return true;
}

// A shaped face: a one-pixel border, a glossy fill (the upper half from the
// light colour, the lower half darker) and a light inner edge.
void ShapedFace(Picture& p, int x0, int y0, int x1, int y1, const Face& f, int r = 2, int corners = kAll,
                bool bGloss = true)
{
    int h = y1 - y0;
    for (int y = y0; y < y1; y++)
    {
        double t = h > 1 ? (double)(y - y0) / (h - 1) : 0;
        Col fill;
        if (!bGloss)
            fill = Mix(f.light, f.dark, t);
        else if (t < 0.45)
            fill = Mix(f.light, Mix(f.light, f.dark, 0.45), t / 0.45);
        else
            fill = Mix(f.dark, Mix(f.dark, f.light, 0.55), (t - 0.45) / 0.55);
        for (int x = x0; x < x1; x++)
        {
            if (!Inside(x, y, x0, y0, x1, y1, r, corners))
                continue;
            bool edge = !Inside(x - 1, y, x0, y0, x1, y1, r, corners) ||
                        !Inside(x + 1, y, x0, y0, x1, y1, r, corners) ||
                        !Inside(x, y - 1, x0, y0, x1, y1, r, corners) ||
                        !Inside(x, y + 1, x0, y0, x1, y1, r, corners);
            if (edge)
            {
                p.Set(x, y, f.border);
                continue;
            }
            bool inner = !Inside(x - 2, y, x0, y0, x1, y1, r, corners) ||
                         !Inside(x + 2, y, x0, y0, x1, y1, r, corners) ||
                         !Inside(x, y - 2, x0, y0, x1, y1, r, corners);
            p.Set(x, y, inner ? Mix(fill, kWhite, 0.45) : fill);
        }
    }
}

// A filled triangle pointing in a direction ('u', 'd', 'l', 'r') whose base
// is 2 * n - 1 pixels, its tip at (cx, cy) moved by half its height.
void Arrow(Picture& p, int cx, int cy, char dir, int n, Col c)
{
    for (int i = 0; i < n; i++)
    {
        // Row i from the tip is 2 * i + 1 pixels wide.
        for (int j = -i; j <= i; j++)
        {
            int along = i - n / 2;
            switch (dir)
            {
            case 'u': p.Set(cx + j, cy + along, c); break;
            case 'd': p.Set(cx + j, cy - along, c); break;
            case 'l': p.Set(cx + along, cy + j, c); break;
            default: p.Set(cx - along, cy + j, c); break;
            }
        }
    }
}

// A thick line from (x0, y0) to (x1, y1).
void Line(Picture& p, double x0, double y0, double x1, double y1, double thick, Col c)
{
    int steps = (int)(std::max(fabs(x1 - x0), fabs(y1 - y0)) * 4) + 1;
    for (int s = 0; s <= steps; s++)
    {
        double x = x0 + (x1 - x0) * s / steps;
        double y = y0 + (y1 - y0) * s / steps;
        for (int dy = -2; dy <= 2; dy++)
            for (int dx = -2; dx <= 2; dx++)
            {
                int px = (int)floor(x) + dx, py = (int)floor(y) + dy;
                double ddx = px + 0.5 - x, ddy = py + 0.5 - y;
                if (ddx * ddx + ddy * ddy <= thick * thick / 4.0)
                    p.Set(px, py, c);
            }
    }
}

void Frame(Picture& p, int x0, int y0, int x1, int y1, Col c)
{
    Fill(p, x0, y0, x1, y0 + 1, c);
    Fill(p, x0, y1 - 1, x1, y1, c);
    Fill(p, x0, y0, x0 + 1, y1, c);
    Fill(p, x1 - 1, y0, x1, y1, c);
}

// ---------------------------------------------------------------------------
// The palette of the look, from the theme text.

struct Palette
{
    Face hot, pressed, checked, hotChecked, disabled, plain, besideHot;
    Col glyph, glyphDisabled, groupBorder;
};
Palette g;

void MakePalette()
{
    g.hot = { Ini("Window", "HighlightSelectedBorder"), Ini("Window", "HighlightSelectedLight"),
              Ini("Window", "HighlightSelectedDark") };
    g.pressed = { Ini("Window", "HighlightPressedBorder"), Ini("Window", "HighlightPressedLight"),
                  Ini("Window", "HighlightPressedDark") };
    g.checked = { Ini("Window", "HighlightCheckedBorder"), Ini("Window", "HighlightCheckedLight"),
                  Ini("Window", "HighlightCheckedDark") };
    g.hotChecked = { g.pressed.border, Mix(g.checked.light, g.pressed.light, 0.5),
                     Mix(g.checked.dark, g.pressed.dark, 0.5) };
    g.groupBorder = Ini("Ribbon", "GroupBorder");
    g.plain = { g.groupBorder, kWhite, Ini("Toolbar", "ControlGalleryNormal") };
    g.besideHot = { Mix(g.hot.border, kWhite, 0.35), Mix(g.hot.light, kWhite, 0.5), Mix(g.hot.dark, kWhite, 0.5) };
    Col grey = { 188, 196, 208 };
    Col greyLight = { 246, 247, 249 };
    Col greyDark = { 226, 230, 236 };
    g.disabled = { grey, greyLight, greyDark };
    g.glyph = Ini("Toolbar", "MenuBarText");
    g.glyphDisabled = Ini("Toolbar", "ControlDisabledIcon");
}

// ---------------------------------------------------------------------------
// The pictures.

struct Entry
{
    std::string name;
    Picture pic;
    bool keyed;     // magenta is the transparent colour
};
std::vector<Entry> g_entries;

void Add(const std::string& name, const Picture& pic, bool keyed)
{
    Entry e = { name, pic, keyed };
    g_entries.push_back(e);
}

// Stacks the states drawn by fn(state picture, state) into one picture.
template <class F>
Picture States(int cx, int cy, int n, F fn)
{
    Picture all(cx, cy * n);
    for (int i = 0; i < n; i++)
    {
        Picture one(cx, cy);
        fn(one, i);
        all.Paste(one, 0, cy * i);
    }
    return all;
}

const char* const kContextNames[7] = { "BLUE", "YELLOW", "GREEN", "RED", "PURPLE", "CYAN", "ORANGE" };
const char* const kContextKeys[7] = { "Blue", "Yellow", "Green", "Red", "Purple", "Cyan", "Orange" };

// --- the window frame ------------------------------------------------------

Col CaptionLight(int active)
{
    return active == 0 ? Ini("Window", "CaptionFaceActiveLight") : Ini("Window", "CaptionFaceInactiveLight");
}
Col CaptionDark(int active)
{
    return active == 0 ? Ini("Window", "CaptionFaceActiveDark") : Ini("Window", "CaptionFaceInactiveDark");
}
Col Border(int active, int i)
{
    char key[32];
    snprintf(key, sizeof(key), active == 0 ? "BorderActive%d" : "BorderInactive%d", i);
    return Ini("Window", key);
}

// One state of the caption strip: the outline on top, a light line, the
// gradient, and a fine line at the bottom. bLeft / bRight round that end.
void CaptionStrip(Picture& p, int state, bool bLeft, bool bRight)
{
    const int w = p.w, h = p.h;
    Col light = CaptionLight(state), dark = CaptionDark(state), outline = Border(state, 0);
    VGradient(p, 0, 0, w, h, light, dark);
    Fill(p, 0, 1, w, 2, Mix(light, kWhite, 0.7));
    Fill(p, 0, h - 1, w, h, Mix(dark, outline, 0.3));
    Fill(p, 0, 0, w, 1, outline);
    if (bLeft || bRight)
    {
        // The rounded corner of the window region keeps (4, 0), (2, 1),
        // (1, 2), (1, 3), then the full edge. Only the rounded end and the
        // top lie outside: past the picture's other end the strip goes on
        // into the centre picture, so that side is inside.
        auto inside = [&](int x, int y) {
            if (y < 0)
                return false;
            int xx = bLeft ? x : w - 1 - x;
            if (xx < 0)
                return false;
            if (xx >= w)
                return true;
            const int edge[4] = { 4, 2, 1, 1 };
            int e = y < 4 ? edge[y] : 0;
            return xx >= e;
        };
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
            {
                int xx = bLeft ? x : w - 1 - x;
                if (xx > 6)
                    continue;
                bool bIn = inside(x, y);
                bool bEdge = !bIn || !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                             (bLeft ? x == 0 : x == w - 1);
                if (bEdge)
                    p.Set(x, y, outline);
                else if (y >= 1 && (!inside(x - 2, y) || !inside(x + 2, y) || !inside(x, y - 2) ||
                                    (bLeft ? x == 1 : x == w - 2)))
                    p.Set(x, y, Mix(light, kWhite, 0.6));
            }
    }
}

void MakeFrame()
{
    const int cy = 30;
    Add("FRAMETOPLEFT", States(8, cy, 2, [](Picture& p, int s) { CaptionStrip(p, s, true, false); }), false);
    Add("FRAMETOPCENTER", States(8, cy, 2, [](Picture& p, int s) { CaptionStrip(p, s, false, false); }), false);
    Add("FRAMETOPRIGHT", States(8, cy, 2, [](Picture& p, int s) { CaptionStrip(p, s, false, true); }), false);

    // The bottom corners beside a status bar drawn into the frame: the region
    // keeps (1, cy - 4 .. cy - 2), (2, cy - 2), (4, cy - 1).
    for (int right = 0; right < 2; right++)
    {
        Picture pic = States(8, 8, 2, [right](Picture& p, int s) {
            auto inside = [](int x, int y) {
                if (x < 0 || y < 0 || x > 7 || y > 7)
                    return false;
                return y < 4 ? true : y < 6 ? x >= 1 : y < 7 ? x >= 2 : x >= 4;
            };
            for (int y = 0; y < 8; y++)
                for (int x = 0; x < 8; x++)
                {
                    int xx = right ? 7 - x : x;
                    if (!inside(xx, y))
                    {
                        p.Set(x, y, Col{ 255, 0, 255 });
                        continue;
                    }
                    bool edge = xx == 0 || y == 7 || !inside(xx - 1, y) || !inside(xx, y + 1);
                    p.Set(x, y, edge ? Border(s, 0) : Border(s, 3));
                }
        });
        Add(right ? "FRAMEBOTTOMRIGHT" : "FRAMEBOTTOMLEFT", pic, true);
    }

    Add("FRAMECAPTIONBUTTON", States(25, 21, 2, [](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, s == 0 ? g.hot : g.pressed, 3);
        }),
        true);

    // The caption button glyphs: normal, hot, pressed, inactive, disabled.
    const char* kinds[4] = { "CLOSE", "MINIMIZE", "MAXIMIZE", "RESTORE" };
    const int sizes[3] = { 13, 17, 23 };
    for (int k = 0; k < 4; k++)
        for (int si = 0; si < 3; si++)
        {
            int n = sizes[si];
            Picture pic = States(n, n, 5, [k, n](Picture& p, int s) {
                Fill(p, 0, 0, n, n, Col{ 255, 0, 255 });
                Col colours[5] = { Ini("Window", "CaptionTextActive"), Mix(Ini("Window", "CaptionTextActive"), kBlack, 0.3),
                                   Mix(Ini("Window", "CaptionTextActive"), kBlack, 0.5),
                                   Ini("Window", "CaptionTextInActive"), Mix(Ini("Window", "CaptionTextInActive"), kWhite, 0.45) };
                Col c = colours[s];
                double m = n * 0.22;                // margin around the glyph
                double e = n - 1 - m;               // far edge
                double t = n >= 23 ? 2.6 : n >= 17 ? 2.1 : 1.7;
                for (int pass = 0; pass < 2; pass++)
                {
                    Col pc = pass == 0 ? Mix(kWhite, c, 0.15) : c;
                    double o = pass == 0 ? 1 : 0;    // a light relief one pixel down and right
                    int th = (int)lround(t);
                    switch (k)
                    {
                    case 0:
                        Line(p, m + o, m + o, e + o, e + o, t + 0.4, pc);
                        Line(p, e + o, m + o, m + o, e + o, t + 0.4, pc);
                        break;
                    case 1:
                        Fill(p, (int)m + (int)o, (int)e - th + 1 + (int)o, (int)e + 1 + (int)o, (int)e + 1 + (int)o, pc);
                        break;
                    case 2:
                    {
                        int a = (int)m + (int)o, b = (int)e + 1 + (int)o;
                        Frame(p, a, a, b, b, pc);
                        Fill(p, a, a, b, a + th, pc);
                        break;
                    }
                    default:
                    {
                        int a = (int)m + (int)o, b = (int)e + 1 + (int)o, d = std::max(3, n / 5);
                        Frame(p, a + d, a, b, b - d, pc);
                        Fill(p, a + d, a, b, a + th - 1, pc);
                        Fill(p, a, a + d, b - d, b, Col{ 255, 0, 255 });
                        Frame(p, a, a + d, b - d, b, pc);
                        Fill(p, a, a + d, b - d, a + d + th - 1, pc);
                        break;
                    }
                    }
                }
            });
            Add(std::string("FRAMECAPTION") + kinds[k] + std::to_string(n), pic, true);
        }

    // The ribbon's round system button: normal, hot, popped.
    for (int big = 0; big < 2; big++)
    {
        int n = big ? 52 : 40;
        Picture pic = States(n, n, 3, [n](Picture& p, int s) {
            Col base = Ini("ContextTabs", "Blue");
            Col light = s == 1 ? Mix(base, kWhite, 0.55) : s == 2 ? Mix(base, kWhite, 0.2) : Mix(base, kWhite, 0.4);
            Col dark = s == 2 ? Mix(base, kBlack, 0.35) : Mix(base, kBlack, 0.15);
            double c = (n - 1) / 2.0, r = n / 2.0 - 1;
            for (int y = 0; y < n; y++)
                for (int x = 0; x < n; x++)
                {
                    double dx = x - c, dy = y - c, d = sqrt(dx * dx + dy * dy);
                    if (d > r + 0.5)
                    {
                        p.Set(x, y, Col{ 255, 0, 255 });
                        continue;
                    }
                    if (d > r - 0.9)
                    {
                        p.Set(x, y, Mix(dark, kBlack, 0.25));
                        continue;
                    }
                    double t = (double)y / (n - 1);
                    Col fill = t < 0.5 ? Mix(Mix(light, kWhite, 0.5), light, t * 2) : Mix(dark, light, (t - 0.5) * 1.2);
                    if (d > r - 2.2)
                        fill = Mix(fill, kWhite, 0.35);
                    p.Set(x, y, fill);
                }
        });
        Add(big ? "FRAMESYSTEMBUTTON52" : "FRAMESYSTEMBUTTON", pic, true);
    }
}

// --- status bar and workspace ---------------------------------------------

void StatusFace(Picture& p, Col topLight, Col topDark, Col bottomLight, Col bottomDark)
{
    Fill(p, 0, 0, p.w, 1, Ini("StatusBar", "StatusBarShadow"));
    VGradient(p, 0, 1, p.w, 9, topLight, topDark);
    VGradient(p, 0, 9, p.w, p.h, bottomLight, bottomDark);
}

void MakeStatusAndWorkspace()
{
    Picture light(8, 22);
    StatusFace(light, Ini("StatusBar", "StatusBarFaceTopLight"), Ini("StatusBar", "StatusBarFaceTopDark"),
               Ini("StatusBar", "StatusBarFaceBottomLight"), Ini("StatusBar", "StatusBarFaceBottomDark"));
    Add("STATUSBARLIGHT", light, false);

    Col darkLight = Ini("StatusBar", "StatusBarDarkLight"), darkDark = Ini("StatusBar", "StatusBarDarkDark");
    Picture dark(8, 22);
    StatusFace(dark, Mix(darkLight, kWhite, 0.3), darkLight, darkDark, Mix(darkDark, darkLight, 0.5));
    Add("STATUSBARDARK", dark, false);

    Picture divider(2, 22);
    Fill(divider, 0, 0, 1, 22, Ini("Toolbar", "ToolbarSeparator"));
    Fill(divider, 1, 0, 2, 22, kWhite);
    Fill(divider, 0, 0, 2, 1, Ini("StatusBar", "StatusBarShadow"));
    Add("STATUSBARDEVIDER", divider, false);

    Picture gripper(12, 12);
    Fill(gripper, 0, 0, 12, 12, Col{ 255, 0, 255 });
    const int dots[6][2] = { { 9, 9 }, { 5, 9 }, { 1, 9 }, { 9, 5 }, { 5, 5 }, { 9, 1 } };
    for (int i = 0; i < 6; i++)
    {
        Fill(gripper, dots[i][0] + 1, dots[i][1] + 1, dots[i][0] + 3, dots[i][1] + 3, kWhite);
        Fill(gripper, dots[i][0], dots[i][1], dots[i][0] + 2, dots[i][1] + 2, Ini("Toolbar", "ToolbarSeparator"));
    }
    Add("STATUSBARGRIPPER", gripper, true);

    // The workspace's top-left: a soft shadow along the top and the left edge
    // that fades into the workspace's top colour; its right-most column is
    // that colour, as the theme stretches it.
    Col top = Ini("Workspace", "WorkspaceClientTop");
    Col shade = Mix(top, Ini("Window", "BorderActive0"), 0.45);
    Picture ws(48, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 48; x++)
        {
            double fy = y < 6 ? (6 - y) / 6.0 : 0;
            double fx = x < 6 ? (6 - x) / 6.0 : 0;
            double f = std::min(1.0, fy * fy + fx * fx * (1 - fy));
            ws.Set(x, y, x == 47 ? top : Mix(top, shade, f));
        }
    Add("WORKSPACETOPLEFT", ws, false);
}

// --- galleries -------------------------------------------------------------

const Face& StateFace(int s)    // 0 plain, 1 light hot, 2 hot, 3 pressed, 4 disabled
{
    static Face lightHot;
    lightHot = { g.hot.border, kWhite, Mix(g.plain.dark, g.hot.dark, 0.4) };
    switch (s)
    {
    case 1: return lightHot;
    case 2: return g.hot;
    case 3: return g.pressed;
    case 4: return g.disabled;
    default: return g.plain;
    }
}

void MakeGallery()
{
    const char* names[3] = { "CONTROLGALLERYUP", "CONTROLGALLERYDOWN", "CONTROLGALLERYPOPUP" };
    const int heights[3] = { 21, 19, 19 };
    for (int k = 0; k < 3; k++)
    {
        Picture pic = States(15, heights[k], 5, [k](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            ShapedFace(p, 0, 0, p.w, p.h, StateFace(s), 2, k == 0 ? kTR : k == 2 ? kBR : 0);
            Col c = s == 4 ? g.glyphDisabled : g.glyph;
            int cx = p.w / 2, cy = p.h / 2;
            if (k == 0)
                Arrow(p, cx, cy, 'u', 3, c);
            else if (k == 1)
                Arrow(p, cx, cy, 'd', 3, c);
            else
            {
                Fill(p, cx - 2, cy - 3, cx + 3, cy - 2, c);
                Arrow(p, cx, cy + 1, 'd', 3, c);
            }
        });
        Add(names[k], pic, true);
    }

    Picture glyphs = States(9, 9, 8, [](Picture& p, int s) {
        Fill(p, 0, 0, 9, 9, Col{ 255, 0, 255 });
        int kind = s % 4;
        Col c = kind == 3 ? g.glyphDisabled : kind == 0 ? g.glyph : Mix(g.glyph, kBlack, 0.35);
        Arrow(p, 4, 4, s < 4 ? 'u' : 'd', 4, c);
    });
    Add("CONTROLGALLERYSCROLLARROWGLYPHS", glyphs, true);

    for (int darkLook = 0; darkLook < 2; darkLook++)
    {
        Col base = darkLook ? Ini("Toolbar", "ToolbarFaceDark") : Ini("Toolbar", "ControlGalleryNormal");
        Picture track = States(17, 30, 2, [base](Picture& p, int s) {
            Col c = s == 0 ? base : Mix(base, g.pressed.dark, 0.6);
            HGradient(p, 0, 0, p.w, p.h, Mix(c, kBlack, 0.05), Mix(c, kWhite, 0.5));
            Fill(p, 0, 0, 1, p.h, Mix(g.groupBorder, c, 0.3));
        });
        Add(darkLook ? "CONTROLGALLERYSCROLLVERTICALDARK" : "CONTROLGALLERYSCROLLVERTICALLIGHT", track, false);

        Picture arrows = States(17, 17, 4, [](Picture& p, int s) { ShapedFace(p, 0, 0, p.w, p.h, StateFace(s), 2); });
        Add(darkLook ? "CONTROLGALLERYSCROLLARROWSVERTICALDARK" : "CONTROLGALLERYSCROLLARROWSVERTICALLIGHT", arrows,
            false);
    }

    Picture thumb = States(17, 20, 3, [](Picture& p, int s) {
        Face f = s == 0 ? Face{ g.groupBorder, kWhite, Ini("Ribbon", "GroupCaptionFaceLight") } : s == 1 ? g.hot : g.pressed;
        ShapedFace(p, 0, 0, p.w, p.h, f, 2);
    });
    Add("CONTROLGALLERYSCROLLTHUMBVERTICAL", thumb, false);

    Picture grip = States(8, 8, 3, [](Picture& p, int s) {
        Fill(p, 0, 0, 8, 8, Col{ 255, 0, 255 });
        Col c = s == 2 ? g.pressed.border : g.groupBorder;
        for (int y = 0; y < 8; y += 2)
        {
            Fill(p, 0, y, 7, y + 1, c);
            Fill(p, 1, y + 1, 8, y + 2, kWhite);
        }
    });
    Add("CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL", grip, true);
}

// --- the ribbon ------------------------------------------------------------

Face GroupFace(Col tint, double share)
{
    Face f = { Mix(g.groupBorder, tint, share * 1.5), Mix(Ini("Ribbon", "GroupFaceLight"), tint, share),
               Mix(Ini("Ribbon", "GroupFaceDark"), tint, share) };
    return f;
}

// A ribbon tab: rounded top, open bottom.
void Tab(Picture& p, const Face& f, bool bOpenBottom = true)
{
    ShapedFace(p, 0, 0, p.w, p.h + (bOpenBottom ? 3 : 0), f, 3, kTop, false);
}

void MakeRibbon()
{
    Col ribbonFace = Ini("Ribbon", "RibbonFace");

    Picture groups(24, 24);
    ShapedFace(groups, 0, 0, 24, 24, GroupFace(kWhite, 0.0), 2, kAll, false);
    Add("RIBBONGROUPS", groups, false);

    for (int i = 0; i < 7; i++)
    {
        Col tint = Ini("ContextTabs", kContextKeys[i]);
        std::string name = kContextNames[i];

        Picture client(24, 24);
        ShapedFace(client, 0, 0, 24, 24, GroupFace(tint, 0.12), 2, kAll, false);
        Add("CONTEXTTAB" + name + "CLIENT", client, false);

        Picture tab = States(20, 24, 5, [tint](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            if (s == 0 || s == 2)
                Tab(p, Face{ Mix(tint, kWhite, 0.45), Mix(tint, kWhite, 0.85), Mix(tint, kWhite, 0.65) });
            else if (s == 1)
                Tab(p, Face{ Mix(tint, kWhite, 0.2), Mix(tint, kWhite, 0.75), Mix(tint, kWhite, 0.45) });
            else
                Tab(p, Face{ s == 4 ? Mix(tint, kBlack, 0.2) : Mix(tint, g.groupBorder, 0.5), kWhite,
                             Mix(Ini("Ribbon", "GroupFaceLight"), tint, 0.12) });
        });
        Add("CONTEXTTAB" + name, tab, true);

        Picture button = States(40, 60, 3, [tint](Picture& p, int s) {
            Face f = s == 0 ? GroupFace(tint, 0.12) : s == 1 ? g.hot : g.pressed;
            if (s > 0)
                f.border = Mix(f.border, tint, 0.4);
            ShapedFace(p, 0, 0, p.w, p.h, f, 3);
        });
        Add("CONTEXTTAB" + name + "GROUPBUTTON", button, false);

        Picture header(20, 24);
        VGradient(header, 0, 0, 20, 24, Mix(tint, kWhite, 0.35), Mix(tint, kWhite, 0.85));
        Fill(header, 0, 0, 20, 4, tint);
        Fill(header, 0, 0, 1, 24, Mix(tint, kBlack, 0.15));
        Fill(header, 19, 0, 20, 24, Mix(tint, kBlack, 0.15));
        Add(std::string("CONTEXTTAB") + name + "HEADER", header, false);
    }

    Picture quickFrame(12, 26);
    ShapedFace(quickFrame, 0, 0, 12, 26, Face{ g.groupBorder, Mix(ribbonFace, kWhite, 0.6), ribbonFace }, 2, kAll,
               false);
    Add("RIBBONQUICKACCESSFRAME", quickFrame, false);

    Picture option = States(15, 14, 4, [](Picture& p, int s) {
        Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
        if (s == 1 || s == 2)
            ShapedFace(p, 0, 0, p.w, p.h, s == 1 ? g.hot : g.pressed, 2);
        Col c = s == 3 ? g.glyphDisabled : Ini("Ribbon", "GroupCaptionText");
        // The launcher: a corner and an arrow to the bottom right.
        Fill(p, 4, 4, 9, 5, c);
        Fill(p, 4, 4, 5, 9, c);
        Line(p, 6, 6, 10.5, 10.5, 1.3, c);
        Fill(p, 8, 10, 11, 11, c);
        Fill(p, 10, 8, 11, 11, c);
    });
    Add("RIBBONOPTIONBUTTON", option, true);

    Picture popupFrame(12, 12);
    Fill(popupFrame, 0, 0, 12, 12, Col{ 250, 250, 250 });
    Frame(popupFrame, 0, 0, 12, 12, Ini("Toolbar", "MenuPopupBorder"));
    Add("POPUPBARFRAME", popupFrame, false);
    Picture morePopupFrame(12, 12);
    VGradient(morePopupFrame, 0, 0, 12, 12, Mix(ribbonFace, kWhite, 0.6), ribbonFace);
    Frame(morePopupFrame, 0, 0, 12, 12, Ini("Toolbar", "MenuPopupBorder"));
    Add("MOREPOPUPBARFRAME", morePopupFrame, false);

    for (int dwm = 0; dwm < 2; dwm++)
    {
        Picture area(40, 26);
        Face f = { Mix(CaptionDark(0), Border(0, 0), 0.35), Mix(CaptionLight(0), kWhite, 0.5), CaptionDark(0) };
        ShapedFace(area, 0, 0, 40, 26, f, 5, kAll, false);
        if (dwm)
            for (size_t i = 0; i < area.px.size(); i++)
                if (area.px[i].a > 0)
                    area.px[i].a = 200;
        Add(dwm ? "RIBBONQUICKACCESSAREADWM" : "RIBBONQUICKACCESSAREA", area, false);
    }

    // The quick-access buttons hold their glyphs: a bar over a small arrow
    // pointing down (customise), two small arrows pointing right (more).
    auto quickButton = [](Picture& p, int s) {
        Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
        if (s == 1 || s == 2)
            ShapedFace(p, 0, 0, p.w, p.h, s == 1 ? g.hot : g.pressed, 2);
    };
    Add("RIBBONQUICKACCESSBUTTON", States(13, 22, 4, [quickButton](Picture& p, int s) {
            quickButton(p, s);
            Col c = s == 3 ? g.glyphDisabled : g.glyph;
            Fill(p, 3, 8, 10, 9, c);
            Arrow(p, 6, 12, 'd', 3, c);
        }),
        true);
    Add("RIBBONQUICKACCESSMORE", States(13, 22, 4, [quickButton](Picture& p, int s) {
            quickButton(p, s);
            Col c = s == 3 ? g.glyphDisabled : g.glyph;
            Arrow(p, 4, 11, 'r', 3, c);
            Arrow(p, 8, 11, 'r', 3, c);
        }),
        true);

    for (int right = 0; right < 2; right++)
    {
        Picture scroll = States(12, 40, 3, [right](Picture& p, int s) {
            Face f = s == 0 ? GroupFace(kWhite, 0.0) : s == 1 ? g.hot : g.pressed;
            ShapedFace(p, 0, 0, p.w, p.h, f, 3, right ? (kTL | kBL) : (kTR | kBR));
        });
        Add(right ? "RIBBONGROUPSSCROLLRIGHT" : "RIBBONGROUPSSCROLLLEFT", scroll, false);
        Picture glyph = States(5, 9, 3, [right](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            Arrow(p, 2, 4, right ? 'r' : 'l', 5, s == 2 ? Mix(g.glyph, kBlack, 0.4) : g.glyph);
        });
        Add(right ? "RIBBONGROUPSSCROLLRIGHTGLYPH" : "RIBBONGROUPSSCROLLLEFTGLYPH", glyph, true);
    }

    // Plain tabs: normal, highlighted, pressed, selected, selected and
    // highlighted, selected and focused.
    Picture tab = States(20, 24, 6, [](Picture& p, int s) {
        Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
        Col faceLight = Ini("Ribbon", "GroupFaceLight");
        switch (s)
        {
        case 0: break;
        case 1: Tab(p, Face{ Mix(g.groupBorder, kWhite, 0.3), Mix(faceLight, kWhite, 0.3), Ini("Ribbon", "RibbonFace") }); break;
        case 2: Tab(p, Face{ g.groupBorder, Mix(faceLight, kWhite, 0.3), Ini("Ribbon", "GroupFaceDark") }); break;
        case 3: Tab(p, Face{ g.groupBorder, kWhite, faceLight }); break;
        case 4: Tab(p, Face{ g.hot.border, kWhite, faceLight }); break;
        default: Tab(p, Face{ g.pressed.border, kWhite, faceLight }); break;
        }
    });
    Add("RIBBONTAB", tab, true);

    Picture tabSeparator(1, 22);
    for (int y = 0; y < 22; y++)
        tabSeparator.Set(0, y, Mix(ribbonFace, g.groupBorder, y < 11 ? y / 11.0 : (21 - y) / 11.0));
    Add("RIBBONTABSEPARATOR", tabSeparator, false);
    Picture contextSeparator(1, 22);
    VGradient(contextSeparator, 0, 0, 1, 22, g.groupBorder, Mix(g.groupBorder, kBlack, 0.2));
    Add("CONTEXTTABSEPARATOR", contextSeparator, false);

    for (int context = 0; context < 2; context++)
    {
        Col tint = context ? Col{ 250, 250, 250 } : kWhite;
        double share = context ? 0.25 : 0.0;
        Picture client = States(20, 60, 2, [tint, share](Picture& p, int s) {
            Face f = GroupFace(tint, share);
            if (s == 1)
                f = Face{ Mix(f.border, g.hot.border, 0.5), Mix(f.light, kWhite, 0.5), Mix(f.dark, kWhite, 0.4) };
            ShapedFace(p, 0, 0, p.w, p.h + 3, f, 3, kTop, false);
        });
        Add(context ? "CONTEXTTABGROUPCLIENT" : "RIBBONGROUPCLIENT", client, false);
        Picture caption = States(20, 17, 2, [tint, share](Picture& p, int s) {
            Face f = { Mix(g.groupBorder, tint, share), Mix(Ini("Ribbon", "GroupCaptionFaceLight"), tint, share),
                       Mix(Ini("Ribbon", "GroupCaptionFaceDark"), tint, share) };
            if (s == 1)
                f = Face{ Mix(f.border, g.hot.border, 0.5), Mix(f.light, kWhite, 0.4), Mix(f.dark, kWhite, 0.3) };
            Picture tall(p.w, p.h + 3);
            ShapedFace(tall, 0, 0, p.w, p.h + 3, f, 3, kBottom, false);
            for (int y = 0; y < p.h; y++)
                for (int x = 0; x < p.w; x++)
                    if (tall.Get(x, y + 3).a > 0)
                        p.Set(x, y, tall.Get(x, y + 3).c);
        });
        Add(context ? "CONTEXTTABGROUPCAPTION" : "RIBBONGROUPCAPTION", caption, false);
    }

    Add("RIBBONGROUPQUICKACCESS", States(22, 22, 3, [](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, s == 0 ? GroupFace(kWhite, 0.0) : s == 1 ? g.hot : g.pressed, 2);
        }),
        false);
    Add("RIBBONGROUPBUTTON", States(40, 60, 3, [](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, s == 0 ? GroupFace(kWhite, 0.0) : s == 1 ? g.hot : g.pressed, 3);
        }),
        false);
    Picture icon(32, 32);
    ShapedFace(icon, 0, 0, 32, 32, Face{ g.groupBorder, kWhite, Ini("Ribbon", "GroupCaptionFaceLight") }, 3);
    Add("RIBBONGROUPBUTTONICON", icon, false);
}

// --- controls on bars and menus -------------------------------------------

void MakeControls()
{

    // Tool bar buttons: hot, pressed, checked (or popped), hot and checked.
    auto buttonFace = [](int s) -> const Face& {
        return s == 0 ? g.hot : s == 1 ? g.pressed : s == 2 ? g.checked : g.hotChecked;
    };
    Add("TOOLBARBUTTONS22", States(22, 22, 4, [buttonFace](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, buttonFace(s), 2);
        }),
        false);
    Add("TOOLBARBUTTONS50", States(44, 50, 4, [buttonFace](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, buttonFace(s), 3);
        }),
        false);

    // Split buttons: beside a hot part, hot, pressed, checked, hot and
    // checked, popped.
    auto splitFace = [](int s) -> const Face& {
        switch (s)
        {
        case 0: return g.besideHot;
        case 1: return g.hot;
        case 2: return g.pressed;
        case 3: return g.checked;
        case 4: return g.hotChecked;
        default: return g.pressed;
        }
    };
    struct SplitPart
    {
        const char* name;
        int cx, cy, corners;
    };
    const SplitPart parts[4] = { { "TOOLBARBUTTONSSPLIT22", 22, 22, kTL | kBL },
                                 { "TOOLBARBUTTONSSPLITDROPDOWN22", 12, 22, kTR | kBR },
                                 { "TOOLBARBUTTONSSPLIT50", 44, 40, kTop },
                                 { "TOOLBARBUTTONSSPLITDROPDOWN50", 44, 30, kBottom } };
    for (int i = 0; i < 4; i++)
    {
        const SplitPart& sp = parts[i];
        Add(sp.name, States(sp.cx, sp.cy, 6, [splitFace, sp](Picture& p, int s) {
                ShapedFace(p, 0, 0, p.w, p.h, splitFace(s), 2, sp.corners);
            }),
            false);
    }

    // Segmented buttons of a ribbon group row: normal, hot, pressed, checked,
    // hot and checked, disabled; 22 x 22 cells.
    auto segmentFace = [](int s) -> Face {
        switch (s)
        {
        case 1: return g.hot;
        case 2: return g.pressed;
        case 3: return g.checked;
        case 4: return g.hotChecked;
        case 5: return Face{ g.disabled.border, kWhite, g.disabled.dark };
        default: return Face{ g.groupBorder, kWhite, Ini("Ribbon", "GroupFaceDark") };
        }
    };
    struct Segment
    {
        const char* name;
        int cx, corners;
        bool bRightLine;
    };
    const Segment segments[8] = { { "TOOLBARBUTTONSSPECIALSINGLE", 22, kAll, false },
                                  { "TOOLBARBUTTONSSPECIALLEFT", 22, kTL | kBL, true },
                                  { "TOOLBARBUTTONSSPECIALRIGHT", 22, kTR | kBR, false },
                                  { "TOOLBARBUTTONSSPECIALCENTER", 22, 0, true },
                                  { "TOOLBARBUTTONSSPECIALSPLITLEFT", 22, kTL | kBL, true },
                                  { "TOOLBARBUTTONSSPECIALSPLITCENTER", 22, 0, true },
                                  { "TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT", 12, kTR | kBR, false },
                                  { "TOOLBARBUTTONSSPECIALSPLITDROPDOWNCENTER", 12, 0, true } };
    for (int i = 0; i < 8; i++)
    {
        const Segment& seg = segments[i];
        Add(seg.name, States(seg.cx, 22, 6, [segmentFace, seg](Picture& p, int s) {
                Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
                Face f = segmentFace(s);
                ShapedFace(p, 0, 0, p.w, p.h, f, 2, seg.corners);
                if (seg.bRightLine)
                    Fill(p, p.w - 1, 0, p.w, p.h, f.border);
            }),
            true);
    }

    Add("TOOLBARBUTTONSCOMBODROPDOWN", States(14, 20, 2, [](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, s == 0 ? Face{ Ini("Toolbar", "ControlEditBorder"), kWhite,
                                                           Ini("Ribbon", "GroupFaceDark") }
                                                     : g.hot,
                       1);
            Arrow(p, p.w / 2, p.h / 2, 'd', 3, g.glyph);
        }),
        false);

    // Spin buttons: up normal, hot, pressed, disabled, gallery hot; then down.
    Add("TOOLBARBUTTONSPIN", States(17, 10, 10, [](Picture& p, int s) {
            int k = s % 5;
            Face f = k == 1 ? g.hot : k == 2 ? g.pressed : k == 3 ? g.disabled : k == 4 ? StateFace(1) : g.plain;
            ShapedFace(p, 0, 0, p.w, p.h, f, 1, s < 5 ? kTop : kBottom);
            Arrow(p, p.w / 2, p.h / 2, s < 5 ? 'u' : 'd', 3, k == 3 ? g.glyphDisabled : g.glyph);
        }),
        false);

    // Check boxes: (normal, hot, pressed, disabled) x (clear, checked, indeterminate).
    Add("TOOLBARBUTTONCHECKBOX", States(13, 13, 12, [](Picture& p, int s) {
            int base = s % 4, check = s / 4;
            Face f = base == 1 ? g.hot : base == 2 ? g.pressed : base == 3 ? g.disabled
                                                                           : Face{ g.groupBorder, Col{ 232, 240, 250 }, kWhite };
            Fill(p, 0, 0, 13, 13, Col{ 255, 0, 255 });
            ShapedFace(p, 0, 0, 13, 13, f, 0, 0, false);
            Col c = base == 3 ? g.glyphDisabled : g.glyph;
            if (check == 1)
            {
                Line(p, 3.2, 6.5, 5.2, 8.8, 1.6, c);
                Line(p, 5.2, 8.8, 9.6, 3.6, 1.6, c);
            }
            else if (check == 2)
                Fill(p, 4, 4, 9, 9, c);
        }),
        true);
    Add("TOOLBARBUTTONRADIOBUTTON", States(13, 13, 8, [](Picture& p, int s) {
            int base = s % 4;
            bool bChecked = s >= 4;
            Face f = base == 1 ? g.hot : base == 2 ? g.pressed : base == 3 ? g.disabled
                                                                           : Face{ g.groupBorder, Col{ 232, 240, 250 }, kWhite };
            for (int y = 0; y < 13; y++)
                for (int x = 0; x < 13; x++)
                {
                    double d = sqrt((x - 6.0) * (x - 6.0) + (y - 6.0) * (y - 6.0));
                    if (d > 6.3)
                        p.Set(x, y, Col{ 255, 0, 255 });
                    else if (d > 5.3)
                        p.Set(x, y, f.border);
                    else if (bChecked && d < 2.8)
                        p.Set(x, y, base == 3 ? g.glyphDisabled : g.glyph);
                    else
                        p.Set(x, y, Mix(f.light, f.dark, y / 12.0));
                }
        }),
        true);

    Add("TOOLBARBUTTONDROPDOWNGLYPH", States(7, 4, 4, [](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            Col c = s == 3 ? g.glyphDisabled : s == 0 ? g.glyph : Mix(g.glyph, kBlack, 0.35);
            for (int y = 0; y < 4; y++)
                Fill(p, y, y, 7 - y, y + 1, c);
        }),
        true);

    Add("MENUCHECKEDITEM", States(20, 20, 2, [](Picture& p, int s) {
            ShapedFace(p, 0, 0, p.w, p.h, s == 0 ? g.checked : g.disabled, 2);
        }),
        false);
    const int menuHeights[2] = { 22, 54 };
    for (int i = 0; i < 2; i++)
    {
        int h = menuHeights[i];
        Picture selected(20, h);
        ShapedFace(selected, 0, 0, 20, h, g.hot, 2);
        Add("MENUSELECTEDITEM" + std::to_string(h), selected, false);
        Picture disabled(20, h);
        ShapedFace(disabled, 0, 0, 20, h, Face{ g.disabled.border, kWhite, g.disabled.light }, 2);
        Add("MENUSELECTEDDISABLEDITEM" + std::to_string(h), disabled, false);
    }
    Add("MENUSPLITDROPDOWN", States(14, 22, 3, [](Picture& p, int s) {
            if (s == 0)
                Fill(p, 0, 3, 1, p.h - 3, Ini("Toolbar", "ToolbarSeparator"));
            else
                ShapedFace(p, 0, 0, p.w, p.h, s == 1 ? g.hot : g.pressed, 2);
        }),
        false);
    Add("MENUPOPUPGLYPH", States(4, 7, 2, [](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            Arrow(p, 1, 3, 'r', 4, s == 0 ? kBlack : g.glyphDisabled);
        }),
        true);
}

// ---------------------------------------------------------------------------
// Output.

// --- the ribbon's system menu ------------------------------------------------

// The system menu's frame (a nine-grid with margins 6, 18, 6, 29: a caption
// band on top, a button strip below, the item panel between) and the two
// states of a button of its bottom strip.
void MakeSystemMenu()
{
    Col ribbonFace = Ini("Ribbon", "RibbonFace");
    Col border = Ini("Toolbar", "MenuPopupBorder");
    Picture menu(40, 60);
    VGradient(menu, 0, 0, 40, 18, Mix(ribbonFace, kWhite, 0.55), ribbonFace);
    Fill(menu, 0, 18, 40, 31, ribbonFace);
    VGradient(menu, 0, 31, 40, 60, ribbonFace, Mix(ribbonFace, kBlack, 0.08));
    Fill(menu, 5, 17, 35, 32, g.groupBorder);
    Fill(menu, 6, 18, 34, 31, kWhite);
    Frame(menu, 0, 0, 40, 60, border);
    Fill(menu, 1, 1, 39, 2, Mix(ribbonFace, kWhite, 0.8));
    Add("RIBBONSYSTEMMENU", menu, false);

    Add("RIBBONSYSTEMMENUBUTTON", States(24, 22, 2, [](Picture& p, int s) {
            Fill(p, 0, 0, p.w, p.h, Col{ 255, 0, 255 });
            ShapedFace(p, 0, 0, p.w, p.h, s == 1 ? g.hot : g.plain, 2);
        }), true);
}

void Put16(std::string& s, int v)
{
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}
void Put32(std::string& s, long v)
{
    Put16(s, (int)(v & 0xFFFF));
    Put16(s, (int)((v >> 16) & 0xFFFF));
}

bool WriteFile(const std::string& path, const std::string& data)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == NULL)
    {
        fprintf(stderr, "make_office2007_images: cannot write %s\n", path.c_str());
        return false;
    }
    bool bOk = fwrite(data.data(), 1, data.size(), f) == data.size();
    bOk = fclose(f) == 0 && bOk;
    if (!bOk)
        fprintf(stderr, "make_office2007_images: cannot write %s\n", path.c_str());
    return bOk;
}

// A bottom-up BMP file: 24-bit with magenta for transparent pixels when
// keyed, else 32-bit premultiplied when any pixel is not opaque.
bool WriteBmp(const Entry& e, const std::string& path)
{
    const Picture& p = e.pic;
    bool bAlpha = false;
    if (!e.keyed)
        for (size_t i = 0; i < p.px.size(); i++)
            if (p.px[i].a < 255)
                bAlpha = true;
    int bpp = bAlpha ? 32 : 24;
    int stride = bAlpha ? p.w * 4 : (p.w * 3 + 3) & ~3;
    long imageSize = (long)stride * p.h;

    std::string out;
    out += "BM";
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, p.w);
    Put32(out, p.h);
    Put16(out, 1);
    Put16(out, bpp);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = p.h - 1; y >= 0; y--)
    {
        std::string row;
        for (int x = 0; x < p.w; x++)
        {
            const Pixel& px = p.Get(x, y);
            if (bAlpha)
            {
                row += (char)(px.c.b * px.a / 255);
                row += (char)(px.c.g * px.a / 255);
                row += (char)(px.c.r * px.a / 255);
                row += (char)px.a;
            }
            else
            {
                // Transparent pixels (and those painted magenta) are the key.
                Col c = px.a < 128 ? Col{ 255, 0, 255 } : px.c;
                row += (char)c.b;
                row += (char)c.g;
                row += (char)c.r;
            }
        }
        while ((int)row.size() < stride)
            row += '\0';
        out += row;
    }
    return WriteFile(path, out);
}

// The theme text as UTF-16 (little-endian) with CR LF line ends.
bool WriteThemeText(const std::string& path)
{
    std::string out;
    for (size_t i = 0; i < g_iniText.size(); i++)
    {
        char ch = g_iniText[i];
        if (ch == '\r')
            continue;
        if (ch == '\n')
        {
            Put16(out, '\r');
            Put16(out, '\n');
            continue;
        }
        Put16(out, (unsigned char)ch);
    }
    if (!g_iniText.empty() && g_iniText[g_iniText.size() - 1] != '\n')
    {
        Put16(out, '\r');
        Put16(out, '\n');
    }
    return WriteFile(path, out);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        fprintf(stderr, "usage: make_office2007_images <theme text> <output folder>\n");
        return 2;
    }
    if (!ReadIni(argv[1]))
    {
        fprintf(stderr, "make_office2007_images: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string outDir = argv[2];

    MakePalette();
    MakeFrame();
    MakeStatusAndWorkspace();
    MakeGallery();
    MakeRibbon();
    MakeControls();
    MakeSystemMenu();
    if (g_missingKey)
        return 1;

    std::string rc = "// Generated by make_office2007_images: the Office 2007 theme text and pictures.\n"
                     "OFFICE2007BLUE_INI TEXTFILE \"office2007_theme.txt\"\n";
    if (!WriteThemeText(outDir + "/office2007_theme.txt"))
        return 1;
    for (size_t i = 0; i < g_entries.size(); i++)
    {
        const Entry& e = g_entries[i];
        std::string file = "o2007_" + e.name + ".bmp";
        if (!WriteBmp(e, outDir + "/" + file))
            return 1;
        rc += Upper(e.name) + " BITMAP \"" + file + "\"\n";
    }
    return WriteFile(outDir + "/office2007_images.rc", rc) ? 0 : 1;
}
