// The browser backend's sleep (platform_web.cpp): sleeps in the page's event
// loop for this long, or until the page calls Module.grazeWake (it shows
// again after being hidden). As emscripten_sleep does, it keeps the run-time
// alive while it sleeps, and the wake-up ends the program once the game's
// main has returned. Listed in ASYNCIFY_IMPORTS (web.cmake).
mergeInto(LibraryManager.library, {
  page_sleep__deps: ['$runtimeKeepalivePush', '$runtimeKeepalivePop', '$callUserCallback'],
  page_sleep: function (ms) {
    Asyncify.handleSleep(function (wakeUp) {
      var done = false;
      var timer = 0;
      var finish = function () {
        if (done) return;
        done = true;
        clearTimeout(timer);
        if (Module.grazeWake === finish) Module.grazeWake = null;
        runtimeKeepalivePop();
        callUserCallback(wakeUp);
      };
      runtimeKeepalivePush();
      timer = setTimeout(finish, ms >>> 0);
      Module.grazeWake = finish;
    });
  },
});
