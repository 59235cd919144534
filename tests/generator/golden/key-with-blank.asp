<%

Option Explicit

'--------------------------------------
'---- Spewed out by the Ombrix ----
'---- http://www.ombrix.org/   ----
'--------------------------------------

Function SQLQuote(ByVal var)
	If InStr(var, "'") <> 0 Then
		var = Replace(var, "'", "''")
	End If
	var = Replace(var, "|", "' & Chr(124) & '")

	SQLQuote = var
End Function

Function SQLDate(ByVal var)
	If var = "" Then
		SQLDate = "Null"
	Else
		SQLDate = "#" & var & "#"
	End If
End Function

'framework variables...
Dim objDB
Dim objRS
Dim sDBName
Dim sAction
Dim sRowColor
Dim html
Dim sql
Dim sError

'database variables...
Dim Order_Id
Dim Product_Name
Dim Unit_Price

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=C:\Data\Shop.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Order Details where Order ID = " & Order ID & ";")

	If objRS.EOF Then
		Order_Id = ""
		Product_Name = ""
		Unit_Price = ""
	Else
		Order_Id = objRS("Order Id")
		Product_Name = objRS("Product Name")
		Unit_Price = objRS("Unit Price")
	End If
End Sub

Sub DisplayForm()
	html=""
	sRowColor="#C4CEE5"
	html = html & "<blockquote>"
	html = html & "Please make your changes then press the Update button.<p>"
	html = html & "<font color=red>" & sError & "</font><p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<table cellpadding=2 cellspacing=2>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Order Id:</td><td><input size=20 name=Order_Id value=" & Chr(34) & Server.HTMLEncode("" & Order_Id) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Product Name:</td><td><input size=20 name=Product_Name value=" & Chr(34) & Server.HTMLEncode("" & Product_Name) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Unit Price:</td><td><input size=20 name=Unit_Price value=" & Chr(34) & Server.HTMLEncode("" & Unit_Price) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Order_Id = Request.Form("Order_Id")
	Product_Name = Trim(Request.Form("Product_Name"))
	Unit_Price = Request.Form("Unit_Price")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Order_Id = "" Then
		sError = sError & "Order Id is a required field.<br>"
	End If 

	If Order_Id <> "" Then
		If Not IsNumeric(Order_Id) Or InStr(Order_Id, Chr(0)) > 0 Or InStr(Order_Id, ",") > 0 Then
			sError = sError & "Order Id is not a valid number.<br>"
		End If 
	End If 

	If Product_Name = "" Then
		sError = sError & "Product Name is a required field.<br>"
	End If 

	If Unit_Price = "" Then
		sError = sError & "Unit Price is a required field.<br>"
	End If 

	If Unit_Price <> "" Then
		If Not IsNumeric(Unit_Price) Or InStr(Unit_Price, Chr(0)) > 0 Or InStr(Unit_Price, ",") > 0 Then
			sError = sError & "Unit Price is not a valid number.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Order Details ("
		sql = sql & "Order_Id,"
		sql = sql & "Product_Name,"
		sql = sql & "Unit_Price"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "" & Order_Id & ","
		sql = sql & "'" & SqlQuote(Product_Name) & "',"
		sql = sql & "" & Unit_Price & ""
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Order Details SET "
		sql = sql & "Order_Id=" & Order_Id & ","
		sql = sql & "Product_Name='" & SqlQuote(Product_Name) & "',"
		sql = sql & "Unit_Price=" & Unit_Price & ""
		sql = sql & " where Order ID = " & Order ID & ";"

		'response.write sql
		ObjDB.Execute(sql)

		If Err = 0 Then
			'if we get here without an error, the data was updated...
			Response.Write "Update Successful!"
			Response.End
		End If
	End If
End Sub

Sub PageStart()
	'pagestart stuff goes here...
	html = ""
	html = html & "<html>"
	html = html & "<head>"
	html = html & "<title>Title Goes Here</title>"
	html = html & "</head>"
	html = html & "<body>"
	Response.Write html
End Sub

Sub ShowConfirm()
	'delete confirmation stuff goes here...
	html = ""
	html = html & "<h3>Delete</h3>"
	html = html & "Press Confirm to permenantly remove this record from the database.<p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<input type=submit name=action value=Confirm>"
	html = html & "<input type=hidden name=Order ID value=" & Chr(34) & Server.HTMLEncode(request.Form("Order ID")) & Chr(34) & ">"
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
	If Not IsNumeric(Request.Form("Order ID")) Or InStr(Request.Form("Order ID"), Chr(0)) > 0 Or InStr(Request.Form("Order ID"), ",") > 0 Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from Order Details where Order ID=" & Request.Form("Order ID") & ";"
	objDB.Execute (sql)

	html = html & "<h3>Delete</h3>"
	html = html & "Delete Successful!"

	html = html & "<a href=index.html>R E T U R N</a>"
	Response.Write html
End Sub

Select Case sAction
	Case ""
		PageStart()
		GetData()
		DisplayForm()

	Case "Update"
		ValidateData()

	Case "Delete"
		PageStart()
		ShowConfirm()

	Case "Confirm"
		PageStart()
		DeleteIt()

End Select
%>
