"""What the order-entry database says about a job, read with mdbtools'
mdb-export beside the program, so that the test knows what the program
should show without asking the program."""

import csv
import io
import subprocess
from dataclasses import dataclass

NULL = "\x01"  # how mdb-export is asked to write a Null


def read_table(database, table):
    exported = subprocess.run(["mdb-export", "-0", NULL, str(database), table],
                              capture_output=True, check=True, timeout=60,
                              stdin=subprocess.DEVNULL).stdout
    return list(csv.DictReader(io.StringIO(exported.decode("utf-8"))))


def present(value):
    return value != NULL


@dataclass
class Part:
    quantity: str
    description: str


@dataclass
class Job:
    number: str  # eight digits
    parts: list  # of Part, part 1 first
    sold_to: list  # the lines of the sold-to block


def sold_to_block(client):
    """The lines the main window builds for a customer picked by a job."""
    lines = [client["Name"]]
    for field in ("Addr1", "Addr2"):
        if present(client[field]) and client[field]:
            lines.append(client[field])
    city, state, zip_code = (client[f] if present(client[f]) else ""
                             for f in ("City", "State", "Zip"))
    lines.append(f"{city}, {state} {zip_code}")
    for field in ("Contact", "Phone"):
        if present(client[field]):
            lines.append(client[field])
    return lines


def pick_job(database, least_parts):
    """The first job of at least `least_parts` parts whose order lines lie
    together, numbered 1 to N, every field the ticket shows present, and
    whose customer is on file with a contact and a phone."""
    orders = read_table(database, "Orders")
    clients = read_table(database, "Client")
    first_client = {}
    for client in clients:
        first_client.setdefault(client["Name"], client)

    runs = []  # consecutive order lines of one order number
    for row in orders:
        if runs and runs[-1][0]["OrderNo"] == row["OrderNo"]:
            runs[-1].append(row)
        else:
            runs.append([row])
    seen = {}
    for run in runs:
        seen[run[0]["OrderNo"]] = seen.get(run[0]["OrderNo"], 0) + 1
    for run in runs:
        number = run[0]["OrderNo"]
        client = first_client.get(run[0]["AcctName"])
        if (seen[number] == 1 and len(run) >= least_parts
                and [r["PartNo"] for r in run] == [str(i) for i in range(1, len(run) + 1)]
                and all(r["QuoteorJob"] == "J" and present(r["PressQty"])
                        and present(r["Description"]) and len(r["Description"]) < 60
                        for r in run)
                and client is not None
                and present(client["Contact"]) and present(client["Phone"])):
            return Job(number, [Part(r["PressQty"], r["Description"]) for r in run],
                       sold_to_block(client))
    raise LookupError(f"no job of {least_parts} or more parts in {database}")
