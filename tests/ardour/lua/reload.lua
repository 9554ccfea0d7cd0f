-- One step of the save-and-reload cycle.
-- Arguments: "create", session folder, then Label=value settings: a new
-- session with ZARG set so, saved. Or "reload", session folder: the saved
-- session loaded and saved again.
local zarg = require("zarg")

zarg.run(function()
	local mode, folder = arg[1], arg[2]
	if mode == "create" then
		zarg.new_session(folder)
		local proc = zarg.insert(zarg.new_track("In"))
		zarg.report_values("default", proc)
		zarg.apply(proc, { table.unpack(arg, 3) })
		zarg.settle()
		zarg.report_values("set", proc)
	else
		zarg.load_session(folder)
		zarg.report_values("loaded", zarg.restored(zarg.track("In")))
	end
	zarg.check("saved", Session:save_state("", false, false, false) == 0, "save_state")
end)
