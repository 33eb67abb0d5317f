#include "cli/options.h"

#include <cstdlib>

#include "html/output_limit.h"

const char kVersion[] = "varnel 1.0";

const char kDefaultIndexName[] = "index.htm";

const char kUsage[] =
    "usage: varnel HEADER... [options]\n"
    "\n"
    "Parses a C++ header and writes its documentation as an HTML page and\n"
    "an XML file. Descriptions written into an earlier XML file are merged\n"
    "back with --merge. Without --html, --xml or --all it prints a summary.\n"
    "Several headers, and folders (their *.h files), go through in one run.\n"
    "\n"
    "Output:\n"
    "  --html[=PATH]      write the HTML page (default: OUT/STEM.htm)\n"
    "  --xml[=PATH]       write the XML file (default: OUT/STEM.xml)\n"
    "  --all              write both at their default paths\n"
    "  --out DIR          folder of the default paths (default: the header's)\n"
    "  --max-output SIZE  refuse, before writing, a page or XML file larger\n"
    "                     than SIZE (suffixes K, M, G; default 2G): every\n"
    "                     block of the page links every class\n"
    "  --help-book DIR    write a help book into DIR: the pages cut at the\n"
    "                     split-file objects, the project (STEM.hhp, .hhc,\n"
    "                     .hhk) and, when chmcmd is installed (Debian package\n"
    "                     fp-utils), the compiled STEM.chm. With several\n"
    "                     headers every book goes there, and index.hhp\n"
    "                     (index.chm) holds them all\n"
    "  --no-compile       write the help book's project, do not compile it\n"
    "  --merge FILE       merge the descriptions of an earlier XML file;\n"
    "                     may be given several times, merged in that order.\n"
    "                     FILE's side file (STEM.orphans.xml beside it) is\n"
    "                     merged right after it\n"
    "  --rename OLD=NEW   before merging, move the descriptions of an entry\n"
    "                     renamed in the header: CFoo=CBar (a class and all\n"
    "                     in it), CFoo::Get=CFoo::Fetch, Func=NewFunc,\n"
    "                     g_nOld=g_nNew, CFoo::m_a=CFoo::m_b; repeatable\n"
    "  --strict           exit 1 after writing when descriptions found no\n"
    "                     place (they are kept in the side file all the same)\n"
    "  A PATH of - writes to standard output. --html PATH and --xml PATH\n"
    "  (with a space) work too when PATH does not begin with \"--\".\n"
    "\n"
    "Several headers:\n"
    "  --recursive, -r    folders with their subfolders\n"
    "  --update           each header first merges its own earlier XML file,\n"
    "                     at its output path, when there is one\n"
    "  --index NAME       the page in the output folder that lists every\n"
    "                     module (default index.htm; written with the pages\n"
    "                     when there are several headers)\n"
    "  -j N, --jobs N     headers documented at once (default: one per\n"
    "                     processor); messages keep the order of the headers\n"
    "  With several headers, --merge FILE goes to the header of FILE's stem,\n"
    "  and --rename takes STEM:OLD=NEW; --html PATH and --xml PATH name the\n"
    "  outputs of one header only.\n"
    "\n"
    "What to document:\n"
    "  --members all|protected|public\n"
    "                     class members: all, protected and public, or\n"
    "                     only public (default: all)\n"
    "  --globals all|extern\n"
    "                     global definitions: all, or only external\n"
    "                     (default: all)\n"
    "  --keywords         write HTML Help keyword objects\n"
    "  --split            write HTML Help split-file objects\n"
    "  --stylesheet       link the stylesheet Varnel.css\n"
    "\n"
    "Checking the documentation:\n"
    "  --check[=text|json] report every description still missing (one\n"
    "                     line each, FILE:LINE: warning: ...) and every one\n"
    "                     that lost its entry, then the coverage; writes no\n"
    "                     file unless --html, --xml or --all ask for it.\n"
    "                     Exit 0 when nothing is missing and nothing lost,\n"
    "                     1 otherwise. json: one JSON object instead\n"
    "  --check-all        count declarations that only name a type too\n"
    "                     (class X;), which need no description otherwise\n"
    "  --min-coverage P   with the check, exit 0 when at least P percent\n"
    "                     (0 to 100) are written and nothing is lost\n"
    "\n"
    "Settings:\n"
    "  --ini FILE         read the parser settings from FILE; otherwise\n"
    "                     varnel.INI in the current folder is read if present\n"
    "\n"
    "Other:\n"
    "  --lines            print the lines the parser did not consume\n"
    "  --help             show this help\n"
    "  --version          show the version\n"
    "\n"
    "Descriptions that find no entry in the header, or that the filters\n"
    "leave out of the XML file, are kept in STEM.orphans.xml beside it and\n"
    "listed on standard error; nothing written into an XML file is lost.\n"
    "\n"
    "Exit status: 0 on success, 1 when an operation fails, 2 for a usage\n"
    "error.\n"
    "\n"
    "Examples:\n"
    "  varnel src/Geometry.h --merge doc/Geometry.xml --out doc --all\n"
    "    parses src/Geometry.h, merges the descriptions of doc/Geometry.xml\n"
    "    and writes doc/Geometry.htm and doc/Geometry.xml.\n"
    "  varnel include/ --recursive --out doc --update --all --stylesheet\n"
    "    documents every header under include/ into doc/, keeps what was\n"
    "    written in doc/*.xml, and writes doc/index.htm.\n"
    "  varnel src/Geometry.h --merge doc/Geometry.xml --check --min-coverage 90\n"
    "    in a build: fails when less than 90% of the descriptions are\n"
    "    written, or when a description lost its entry.\n";

namespace {

bool SetMembers(const std::string& value, CModuleInfo::Options* o) {
  o->bShowPublic = o->bShowProtected = o->bShowPrivate = true;
  if (value == "all")
    return true;
  if (value == "protected") {
    o->bShowPrivate = false;
    return true;
  }
  if (value == "public") {
    o->bShowPrivate = o->bShowProtected = false;
    return true;
  }
  return false;
}

bool SetGlobals(const std::string& value, CModuleInfo::Options* o) {
  o->bShowExtern = true;
  o->bShowLocal = value != "extern";
  return value == "all" || value == "extern";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  char last = folder.back();
  return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

std::string DefaultOutputPath(const CliOptions& opts,
                              const std::string& header, const char* ext) {
  // As in the window: an empty folder gives no separator, so "/x.h"
  // gives "x.htm".
  std::string folder = opts.outDir.empty() ? PathFolder(header) : opts.outDir;
  return JoinPath(folder, PathStem(header) + ext);
}

// "-j4", "-j 4", "--jobs=4": a count from 1 on.
bool ParseJobs(const std::string& value, int* jobs) {
  char* end = nullptr;
  const long n = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || n < 1 || n > 1024)
    return false;
  *jobs = static_cast<int>(n);
  return true;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions* opts,
                     std::string* err) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string name = arg, value;
    bool hasValue = false;
    size_t eq = arg.find('=');
    if (StartsWith(arg, "--") && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasValue = true;
    }
    // Options that need a value take the next argument when not given
    // with "=".
    auto takeValue = [&]() {
      if (hasValue)
        return true;
      if (i + 1 >= args.size()) {
        *err = "option " + name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    // --html and --xml take the next argument only if it is no option.
    auto takeOptionalPath = [&](std::string* path) {
      if (!hasValue && i + 1 < args.size() && !StartsWith(args[i + 1], "--") &&
          !(opts->headers.empty() && i + 2 >= args.size()))
        value = args[++i];
      *path = value;
    };
    if (name == "--help" || name == "-h") {
      opts->help = true;
    } else if (name == "--version") {
      opts->version = true;
    } else if (name == "--html") {
      opts->html = true;
      takeOptionalPath(&opts->htmlPath);
    } else if (name == "--xml") {
      opts->xml = true;
      takeOptionalPath(&opts->xmlPath);
    } else if (name == "--all") {
      opts->html = opts->xml = true;
    } else if (name == "--out") {
      if (!takeValue())
        return false;
      opts->outDir = value;
    } else if (name == "--max-output") {
      if (!takeValue())
        return false;
      if (!ParseByteSize(value, &opts->maxOutputBytes)) {
        *err = "--max-output takes a size such as 2G, 500M or 100K: " + value;
        return false;
      }
    } else if (name == "--help-book") {
      if (!takeValue())
        return false;
      if (value.empty()) {
        *err = "--help-book takes a folder";
        return false;
      }
      opts->helpBookDir = value;
    } else if (name == "--no-compile") {
      opts->compileHelpBook = false;
    } else if (name == "--merge") {
      if (!takeValue())
        return false;
      opts->merges.push_back(value);
    } else if (name == "--rename") {
      if (!takeValue())
        return false;
      opts->renames.push_back(value);
    } else if (name == "--strict") {
      opts->strict = true;
    } else if (name == "--check") {
      if (value.empty() || value == "text") {
        opts->check = CliOptions::Check::kText;
      } else if (value == "json") {
        opts->check = CliOptions::Check::kJson;
      } else {
        *err = "--check takes text or json";
        return false;
      }
    } else if (name == "--check-all") {
      opts->checkAll = true;
    } else if (name == "--min-coverage") {
      if (!takeValue())
        return false;
      char* end = nullptr;
      const double p = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0' || !(p >= 0 && p <= 100)) {
        *err = "--min-coverage takes a percentage from 0 to 100";
        return false;
      }
      opts->minCoverage = p;
    } else if (name == "--ini") {
      if (!takeValue())
        return false;
      opts->iniPath = value;
    } else if (name == "--members") {
      if (!takeValue())
        return false;
      if (!SetMembers(value, &opts->options)) {
        *err = "--members takes all, protected or public";
        return false;
      }
    } else if (name == "--globals") {
      if (!takeValue())
        return false;
      if (!SetGlobals(value, &opts->options)) {
        *err = "--globals takes all or extern";
        return false;
      }
    } else if (name == "--keywords") {
      opts->options.bHelpKeywords = true;
    } else if (name == "--split") {
      opts->options.bSplitFiles = true;
    } else if (name == "--stylesheet") {
      opts->options.bStylesheet = true;
    } else if (name == "--lines") {
      opts->showLines = true;
    } else if (name == "--recursive" || name == "-r") {
      opts->recursive = true;
    } else if (name == "--update") {
      opts->update = true;
    } else if (name == "--index") {
      if (!takeValue())
        return false;
      if (value.empty() || value.find_first_of("/\\") != std::string::npos) {
        *err = "--index takes a file name, without a folder: " + value;
        return false;
      }
      opts->index = value;
    } else if (name == "--jobs" || name == "-j" || StartsWith(arg, "-j")) {
      if (name != "--jobs" && arg.size() > 2)
        value = arg.substr(2);
      else if (!takeValue())
        return false;
      if (!ParseJobs(value, &opts->jobs)) {
        *err = "-j takes a number of headers at once, from 1: " + value;
        return false;
      }
    } else if (StartsWith(arg, "-") && arg != "-") {
      *err = "unknown option " + arg;
      return false;
    } else {
      opts->headers.push_back(arg);
    }
    if (hasValue && (name == "--all" || name == "--keywords" ||
                     name == "--split" || name == "--stylesheet" ||
                     name == "--strict" || name == "--check-all" ||
                     name == "--no-compile" ||
                     name == "--lines" || name == "--recursive" ||
                     name == "--update" || name == "--help" ||
                     name == "--version")) {
      *err = "option " + name + " takes no value";
      return false;
    }
  }
  if (opts->help || opts->version)
    return true;
  if ((opts->checkAll || opts->minCoverage >= 0) &&
      opts->check == CliOptions::Check::kNone)
    opts->check = CliOptions::Check::kText;
  if (opts->headers.empty()) {
    *err = "no header given";
    return false;
  }
  return true;
}

std::string HtmlOutputPath(const CliOptions& opts, const std::string& header) {
  return opts.htmlPath.empty() ? DefaultOutputPath(opts, header, ".htm")
                               : opts.htmlPath;
}

std::string XmlOutputPath(const CliOptions& opts, const std::string& header) {
  return opts.xmlPath.empty() ? DefaultOutputPath(opts, header, ".xml")
                              : opts.xmlPath;
}
