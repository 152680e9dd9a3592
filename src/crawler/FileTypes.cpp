// The 550 known file extensions, in the order the binary search expects: punctuation sorts before
// digits, so "@@@" stands before "123".
#include "crawler/FileTypes.h"

#include <algorithm>

namespace mw {

const std::array<std::string_view, kKnownFileTypeCount> kKnownFileTypes = {
    "$$$", "@@@", "123", "12m", "386", "669", "abk", "acl", "acm", "acp", "act", "acv", "ad", "adb", "add",
    "adm", "adp", "adr", "af2", "af3", "afm", "ai", "aif", "alb", "all", "ams", "anc", "ani", "ans", "api",
    "apr", "aps", "arc", "arj", "art", "asa", "asc", "asd", "asf", "asm", "ast", "att", "avi", "awd", "b4",
    "bak", "bas", "bat", "bfc", "bg", "bi", "bif", "bin", "bk", "bk$", "bks", "bm1", "bmk", "bmp", "brx",
    "bs1", "bsp", "btm", "c", "cab", "cal", "cas", "cat", "cb", "ccb", "ccf", "cch", "ccm", "cda", "cdf",
    "cdi", "cdr", "cdt", "cdx", "cel", "cfb", "cfg", "cgm", "ch", "chk", "chp", "cil", "cim", "cin", "ck1",
    "ck2", "ck3", "ck4", "ck5", "ck6", "clp", "cls", "cmd", "cmf", "cmp", "cmv", "cmx", "cnf", "cnm", "cnq",
    "cnt", "cob", "cod", "cpd", "cpe", "cpi", "cpl", "cpp", "cpr", "cpt", "cpx", "crd", "crp", "crt", "csc",
    "csp", "csv", "ct", "ctl", "cue", "cur", "cut", "cv", "cwk", "cws", "cxx", "dat", "dbf", "dbx", "dcr",
    "dcs", "dcx", "ddf", "def", "der", "dib", "dic", "dif", "dir", "diz", "dlg", "dll", "dmf", "doc", "dot",
    "dpr", "drv", "drw", "dsg", "dsm", "dsp", "dsq", "dsw", "dwg", "dxf", "emf", "enc", "eps", "er1", "erx",
    "evy", "ewl", "exe", "f", "f77", "f90", "far", "fav", "fax", "fh3", "fif", "fits", "flc", "fli", "flt",
    "fmb", "fmt", "fmx", "fog", "fon", "for", "fot", "fp", "fp1", "fp3", "fpx", "frm", "frx", "gal", "gcp",
    "ged", "gem", "gen", "gfc", "gfi", "gfx", "gid", "gif", "gim", "gix", "gna", "gnx", "gra", "grd", "grp",
    "gt2", "gtk", "gwx", "gwz", "gz", "h", "hed", "hel", "hex", "hgl", "hlp", "hog", "hpj", "hpp", "hqx",
    "hst", "ht", "ica", "icb", "icm", "ico", "idd", "idq", "iff", "igf", "iif", "ima", "img", "inc", "inf",
    "ini", "inp", "ins", "iso", "isp", "isu", "it", "iw", "jar", "jbf", "jff", "jif", "jmp", "jn1", "jpeg",
    "jpg", "jtf", "kdc", "kfx", "kye", "lbm", "ldb", "leg", "lha", "lib", "lis", "log", "lpd", "lrc", "lst",
    "lwo", "lwp", "lzh", "lzs", "m3d", "mac", "mad", "maf", "mail", "mak", "mam", "map", "maq", "mar", "mas",
    "mat", "max", "maz", "mb1", "mcc", "mcs", "mcw", "mda", "mdb", "mde", "mdl", "mdn", "mdw", "mdz", "med",
    "mer", "met", "mi", "mic", "mid", "mmf", "mmm", "mod", "mov", "mp3", "mpe", "mpeg", "mpg", "mpp", "msg",
    "msn", "msp", "mtm", "mus", "mvb", "mwp", "nap", "ncb", "nsf", "nst", "ntf", "obd", "obj", "obz", "ocx",
    "ofn", "oft", "okt", "olb", "ole", "opt", "or2", "or3", "org", "p10", "p65", "pab", "pak", "pal", "pas",
    "pat", "pbk", "pbm", "pcd", "pcl", "pcs", "pct", "pcx", "pdf", "pdq", "pfa", "pfb", "pfc", "pfm", "pgl",
    "pgm", "pic", "pif", "pig", "pin", "pix", "pj", "pkg", "pl", "plt", "pm5", "pm6", "png", "pnt", "pot",
    "pp4", "ppa", "ppm", "pps", "ppt", "pre", "prf", "prn", "prs", "prz", "ps", "psd", "pst", "ptm", "pub",
    "pwd", "pwz", "pxl", "qad", "qbw", "qdt", "qlb", "qry", "qt", "qtm", "qxd", "r", "ra", "ram", "ras",
    "raw", "rc", "rec", "reg", "res", "rft", "rle", "rm", "rmi", "rov", "rpt", "rtf", "rtm", "s3m", "sam",
    "sav", "sc2", "scc", "scd", "sch", "scn", "scp", "scr", "sct", "sdl", "sdr", "sdt", "sea", "sep", "shb",
    "shg", "shs", "shw", "sit", "slk", "snd", "sqc", "sqr", "stm", "sty", "svx", "sys", "t2t", "tar", "taz",
    "tex", "tga", "tgz", "theme", "thn", "tif", "tiff", "tig", "tlb", "tmp", "trm", "trn", "ttf", "twf",
    "tww", "tx8", "txt", "udf", "ult", "url", "use", "vbp", "vbw", "vbx", "vcf", "vda", "vi", "vlb", "voc",
    "vp", "vsd", "vst", "vsw", "vxd", "wad", "wav", "wb1", "wb2", "wbk", "wbl", "wcm", "wdb", "web", "wgp",
    "wid", "wil", "wiz", "wk1", "wk3", "wk4", "wks", "wlf", "wll", "wmf", "wow", "wp", "wp4", "wp5", "wp6",
    "wpd", "wpg", "wps", "wpt", "wpw", "wq1", "wq2", "wri", "wrl", "ws1", "ws2", "ws3", "ws4", "ws5", "ws6",
    "ws7", "wsd", "wvl", "xar", "xla", "xlb", "xlc", "xld", "xlk", "xlm", "xls", "xlt", "xlv", "xlw", "xm",
    "xr1", "xtp", "xy3", "xy4", "xyp", "xyw", "yal", "ybk", "z", "zip", "zoo",
};

}  // namespace mw
namespace mw {
namespace {

int Rank(unsigned char c) {
  if (c >= '0' && c <= '9') return 256 + c;
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 128) return 512 + c;
  return c;
}

}  // namespace

int CompareFileType(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ra = Rank(static_cast<unsigned char>(a[i])), rb = Rank(static_cast<unsigned char>(b[i]));
    if (ra != rb) return ra < rb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool IsKnownFileType(std::string_view ext) {
  std::size_t lo = 0, hi = kKnownFileTypes.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    const int c = CompareFileType(ext, kKnownFileTypes[mid]);
    if (c == 0) return true;
    if (c < 0) hi = mid;
    else lo = mid + 1;
  }
  return false;
}

}  // namespace mw
