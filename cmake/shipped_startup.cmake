# Puts the shipped startup.ini into Res/ before resgen runs, unless the folder
# already has one (the player's settings survive a rebuild).
# Called with -DSOURCE=<cmake/startup.ini> -DRES=<build>/Res.
if(NOT EXISTS "${RES}/startup.ini")
  file(MAKE_DIRECTORY "${RES}")
  configure_file("${SOURCE}" "${RES}/startup.ini" COPYONLY)
endif()
