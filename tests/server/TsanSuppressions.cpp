// ThreadSanitizer settings of the server's concurrency test. libcpp-httplib comes from Debian
// as a shared library built without ThreadSanitizer, so its internal synchronisation (the
// guarded start of its static route and header patterns among it) is invisible to the tool,
// and its own memory traffic, including the std::regex code it shares with this binary, would
// be reported as races. The server's own code, the codec and SQLite's use are still checked.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libcpp-httplib.so\n"
         "race:std::__detail::_BracketMatcher\n"
         "race:std::__detail::_Executor\n";
}
