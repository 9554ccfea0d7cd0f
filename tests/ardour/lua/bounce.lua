-- Rendering through a bounce with processing.
-- Arguments: "prepare", session folder, frames: a new session whose stereo
-- track holds one region of that length, saved; the driver then fills its
-- source files with the input.
-- Or "render", session folder, frames, then either "preset" and a factory
-- preset name, or Label=value settings: ZARG added to the track, set up so,
-- and frames from 0 bounced; the new files' paths are reported as "output".
local zarg = require("zarg")

local function prepare(folder, frames)
	zarg.new_session(folder)
	local track = zarg.new_track("In")
	-- ardour7-lua cannot import a file: bouncing the empty track makes a
	-- region with source files of its own, which the driver overwrites.
	local region = track:bounce_range(0, frames, ARDOUR.InterThreadInfo(), track:main_outs(), false, "input")
	assert(not region:isnil(), "the bounce made no region")
	local audio = region:to_audioregion()
	-- Fades would shape the input's first and last samples.
	audio:set_fade_in_active(false)
	audio:set_fade_out_active(false)
	track:playlist():add_region(region, Temporal.timepos_t(0), 1, false, 0, 0, false)
	for c = 0, audio:n_channels() - 1 do
		zarg.data("source", c, region:source(c):to_filesource():path())
	end
	zarg.data("block", Session:get_block_size())
	zarg.check("saved", Session:save_state("", false, false, false) == 0, "save_state")
end

-- Ardour's session export came out silent now and then on a loaded machine,
-- also with no plug-in on the track; a bounce runs the playlist through the
-- track's plug-ins without the engine's transport and disk reader.
local function render(folder, frames, rest)
	zarg.load_session(folder)
	local track = zarg.track("In")
	local proc = zarg.insert(track)
	if rest[1] == "preset" then
		zarg.check("preset-load", zarg.load_preset(proc, rest[2]), "load_preset(" .. rest[2] .. ")")
	else
		zarg.apply(proc, rest)
	end
	local region = track:to_track():bounce_range(0, frames, ARDOUR.InterThreadInfo(), proc, true, "output")
	zarg.check("bounce", not region:isnil(), "bounce_range")
	local audio = region:to_audioregion()
	for c = 0, audio:n_channels() - 1 do
		zarg.data("output", c, region:source(c):to_filesource():path())
	end
end

zarg.run(function()
	if arg[1] == "prepare" then
		prepare(arg[2], assert(tonumber(arg[3])))
	else
		render(arg[2], assert(tonumber(arg[3])), { table.unpack(arg, 4) })
	end
end)
