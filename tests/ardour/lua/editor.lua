-- A session for Ardour's GUI to open: a track named Guitar with ZARG on it.
-- Arguments: session folder.
local zarg = require("zarg")

zarg.run(function()
	zarg.new_session(arg[1])
	zarg.insert(zarg.new_track("Guitar"))
	zarg.check("saved", Session:save_state("", false, false, false) == 0, "save_state")
end)
