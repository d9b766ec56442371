// Added to the module's script (emscripten's --post-js): m.loadSession(session,
// text, rate) reads a session's text into a session player made by
// _spw_session_create, for the page, its worklet and the tests alike. Returns
// its problems as {line, message} (line 0: the file as a whole); none: it plays
// from its start.
Module['loadSession'] = (session, text, rate) => {
  const size = Module['lengthBytesUTF8'](text) + 1;
  const bytes = Module['_malloc'](size);
  Module['stringToUTF8'](text, bytes, size);
  const count = Module['_spw_session_load'](session, bytes, rate);
  Module['_free'](bytes);
  return Array.from({length: count}, (_, i) => ({
    line: Module['_spw_session_problem_line'](session, i),
    message: Module['UTF8ToString'](Module['_spw_session_problem_text'](session, i)),
  }));
};
